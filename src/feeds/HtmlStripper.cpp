#include "feeds/HtmlStripper.h"

#include "platform/HtmlEntities.h"

#include <algorithm>
#include <array>

using HtmlScan::HasName;

namespace {

constexpr qsizetype WrapColumn = 75;
// A row with this much cell text no longer fits on one line.
constexpr qsizetype CompactRowText = 65;
// Rows whose markup runs longer than this are laid out as not compact rather
// than scanned to the end of a long document.
constexpr qsizetype RowLookAheadLimit = 16 * 1024;
constexpr QStringView LineBreak = u"\r\n";
constexpr QStringView CellGap = u"   ";
constexpr QStringView Bullet = u"\u2022 ";
constexpr QStringView CommentStart = u"!--";
constexpr char16_t UnitSeparator = 31;

// Characters written as they are: no markup, reference or whitespace.
bool IsPlain(char16_t c) {
    return c > u'<' || (c > u' ' && c != u'<' && c != u'&');
}

// QStringView::trimmed() inline: the library call costs more than most tags.
QStringView Trimmed(QStringView text) {
    while (!text.isEmpty() && text.front().isSpace())
        text = text.sliced(1);
    while (!text.isEmpty() && text.back().isSpace())
        text.chop(1);
    return text;
}

// End tags are matched with their spaces removed ("< / ul >"). One more
// character than the longest end tag name decides every match.
using EndTagName = std::array<char16_t, 8>;

QStringView WithoutSpaces(QStringView tag, EndTagName& buffer) {
    qsizetype size = 0;
    for (qsizetype i = 0; i < tag.size() && size < qsizetype(buffer.size()); ++i) {
        if (tag[i] != u' ')
            buffer[size++] = tag[i].unicode();
    }
    return QStringView(buffer.data(), size);
}

// Whether the "<" at `opener` starts a comment; tested on every tag, so the
// first character decides most without a string comparison.
bool StartsComment(QStringView html, qsizetype opener) {
    const qsizetype next = opener + 1;
    return next < html.size() && html[next] == CommentStart.front() &&
           html.sliced(next).startsWith(CommentStart);
}

bool EndsComment(QStringView html, qsizetype closer) {
    int dashes = 0;
    for (qsizetype i = closer - 1; i >= 0 && dashes < 2; --i) {
        if (html[i] == u'-')
            ++dashes;
        else if (html[i] != u' ')
            break;
    }
    return dashes == 2;
}

} // namespace

HtmlStripper::Output::Output(qsizetype expected)
    : m_text(expected, Qt::Uninitialized)
    , m_data(m_text.data()) {}

void HtmlStripper::Output::Append(QStringView text) {
    if (m_size + text.size() > m_text.size())
        MakeRoom(text.size());
    std::copy_n(text.data(), text.size(), m_data + m_size);
    m_size += text.size();
}

void HtmlStripper::Output::Append(char16_t c) {
    Append(QStringView(&c, 1));
}

QString HtmlStripper::Output::Take() {
    m_text.truncate(m_size);
    // Stories keep their texts for the whole run: no room reserved for
    // markup that was dropped. Shrinking in place costs no copy.
    m_text.squeeze();
    m_data = nullptr;
    m_size = 0;
    return std::move(m_text);
}

void HtmlStripper::Output::MakeRoom(qsizetype more) {
    m_text.resize(qMax(m_text.size() * 2, m_size + more));
    m_data = m_text.data();
}

HtmlStripper::HtmlStripper(QStringView html)
    : m_html(html)
    , m_output(html.size() + html.size() / 8)
    , m_tagEnd(html, u'>')
    , m_rowTagEnd(html, u'>') {}

QString HtmlStripper::Run() {
    qsizetype position = 0;
    while (position < m_html.size())
        position = Step(position);
    DropFoldedSpace();
    return m_output.Take();
}

// Handles the text from `position` on; returns where to go on.
qsizetype HtmlStripper::Step(qsizetype position) {
    if (m_inComment)
        return InComment(position);
    if (m_inScript)
        return InScript(position);
    return Character(position);
}

// Only a "-" can end a comment.
qsizetype HtmlStripper::InComment(qsizetype position) {
    const qsizetype dash = m_html.indexOf(u'-', position);
    return dash < 0 ? m_html.size() : CommentEnd(dash);
}

// Only a tag can end a script.
qsizetype HtmlStripper::InScript(qsizetype position) {
    const qsizetype opener = m_html.indexOf(u'<', position);
    if (opener < 0)
        return m_html.size();
    const qsizetype next = Tag(opener);
    return next >= 0 ? next : opener + 1;
}

qsizetype HtmlStripper::Character(qsizetype position) {
    const char16_t c = m_html[position].unicode();
    if (IsPlain(c))
        return Plain(position);
    if (c == u'<') {
        const qsizetype next = Tag(position);
        if (next >= 0)
            return next;
        Text(m_html.sliced(position, 1));
    } else if (c == u'&') {
        return Reference(position);
    } else if (c != UnitSeparator) {
        Space();
    }
    return position + 1;
}

// Writes the text from `position` that goes out unchanged in one piece.
qsizetype HtmlStripper::Plain(qsizetype position) {
    const qsizetype end = PlainEnd(position);
    Text(m_html.sliced(position, end - position));
    return end;
}

// The end of the plain characters from `position` on, with the single spaces
// between them that stay as written: those before the wrap column, whose
// line break only whitespace processing writes.
qsizetype HtmlStripper::PlainEnd(qsizetype position) const {
    const char16_t* text = m_html.utf16();
    const qsizetype size = m_html.size();
    qsizetype end = position;
    for (;;) {
        while (end < size && IsPlain(text[end]))
            ++end;
        const bool singleSpace = end + 1 < size && text[end] == u' ' && IsPlain(text[end + 1]);
        if (!singleSpace || m_column + (end - position) + 1 >= WrapColumn)
            return end;
        ++end;
    }
}

// Reads the tag opened at `position`; -1 when no ">" closes it, so the "<"
// is plain text.
qsizetype HtmlStripper::Tag(qsizetype position) {
    if (StartsComment(m_html, position))
        return ApplyTag(CommentStart, position + 1 + CommentStart.size());
    const qsizetype closer = m_tagEnd.From(position + 1);
    if (closer < 0)
        return -1;
    return ApplyTag(Trimmed(m_html.sliced(position + 1, closer - position - 1)), closer + 1);
}

// Applies a tag whose text ends before `next`; returns where to go on.
qsizetype HtmlStripper::ApplyTag(QStringView tag, qsizetype next) {
    if (tag.startsWith(u'/')) {
        EndTag(tag);
        return next;
    }
    // Inside a script only its end tag matters: markup in script strings
    // must not lay out the text.
    if (m_inScript)
        return next;
    if (HasName(tag, u"TITLE"))
        return Title(next);
    if (tag.startsWith(CommentStart))
        m_inComment = true;
    else if (HasName(tag, u"SCRIPT"))
        m_inScript = true;
    else
        LayoutTag(tag, next);
    return next;
}

void HtmlStripper::EndTag(QStringView tag) {
    EndTagName buffer;
    const QStringView name = WithoutSpaces(tag, buffer);
    if (HasName(name, u"/SCRIPT"))
        m_inScript = false;
    if (m_inScript)
        return;
    const bool numbered = HasName(name, u"/OL");
    if (!numbered && !HasName(name, u"/UL"))
        return;
    if (numbered) {
        m_numberedList = false;
        m_itemNumber = 0;
    } else {
        m_bulletedList = false;
    }
    Paragraph();
}

void HtmlStripper::LayoutTag(QStringView tag, qsizetype next) {
    if (HasName(tag, u"P")) {
        Paragraph();
    } else if (HasName(tag, u"TR")) {
        TableRow(next);
    } else if (HasName(tag, u"TD") || HasName(tag, u"TH")) {
        TableCell();
    } else if (HasName(tag, u"BR") || HasName(tag, u"TABLE")) {
        if (!m_lastBreak)
            Break();
    } else if (HasName(tag, u"OPTION")) {
        Break();
        Layout(u"\t");
    } else if (HasName(tag, u"OL")) {
        m_numberedList = true;
        Paragraph();
    } else if (HasName(tag, u"UL")) {
        m_bulletedList = true;
        Paragraph();
    } else if (HasName(tag, u"LI")) {
        ListItem();
    }
}

// The title text is taken as written, up to the next tag.
qsizetype HtmlStripper::Title(qsizetype next) {
    qsizetype end = m_html.indexOf(u'<', next);
    if (end < 0)
        end = m_html.size();
    m_output.Append(m_html.sliced(next, end - next));
    m_foldedSpace = false;
    BlankLine();
    return end;
}

void HtmlStripper::TableRow(qsizetype next) {
    m_compactRow = RowIsCompact(next);
    Break();
    m_cellStarted = false;
}

void HtmlStripper::TableCell() {
    if (!m_compactRow) {
        Break();
    } else if (m_cellStarted) {
        DropFoldedSpace();
        Layout(CellGap);
    }
    m_cellStarted = true;
}

void HtmlStripper::ListItem() {
    Break();
    if (m_numberedList)
        Layout(QString::number(++m_itemNumber) + QStringLiteral(". "));
    else
        Layout(Bullet);
}

// Whether the row after `from` has so little cell text that it fits on one
// line. Stops at the next row, so successive rows are scanned only once.
bool HtmlStripper::RowIsCompact(qsizetype from) {
    const qsizetype limit = qMin(m_html.size(), from + RowLookAheadLimit);
    qsizetype text = 0;
    bool inCell = false;
    for (qsizetype i = from; i < limit; ++i) {
        const qsizetype closer = m_html[i] == u'<' ? m_rowTagEnd.From(i + 1) : -1;
        if (closer < 0) {
            text += inCell ? 1 : 0;
            if (text >= CompactRowText)
                return false;
            continue;
        }
        const QStringView tag = Trimmed(m_html.sliced(i + 1, closer - i - 1));
        i = closer;
        if (HasName(tag, u"/TR") || HasName(tag, u"/TABLE") || HasName(tag, u"TR"))
            return text < CompactRowText;
        if (HasName(tag, u"TABLE") || (inCell && (HasName(tag, u"P") || HasName(tag, u"BR"))))
            return false;
        if (HasName(tag, u"TD") || HasName(tag, u"TH"))
            inCell = true;
        else if (HasName(tag, u"/TD") || HasName(tag, u"/TH"))
            inCell = false;
    }
    return false;
}

// A "-" inside a comment: the comment ends at the first ">" after it that
// follows two dashes (spaces between them ignored).
qsizetype HtmlStripper::CommentEnd(qsizetype position) {
    for (qsizetype closer = m_html.indexOf(u'>', position); closer >= 0;
         closer = m_html.indexOf(u'>', closer + 1)) {
        if (EndsComment(m_html, closer)) {
            m_inComment = false;
            return closer + 1;
        }
    }
    return m_html.size();
}

qsizetype HtmlStripper::Reference(qsizetype position) {
    const qsizetype length = HtmlScan::ReferenceNameLength(m_html, position);
    if (length < 0) {
        Text(u"&");
        return position + 1;
    }
    Text(HtmlEntities::Decode(m_html.sliced(position + 1, length)).View());
    return position + length + 2;
}

void HtmlStripper::Space() {
    if (m_lastSpace)
        return;
    m_output.Append(u' ');
    ++m_column;
    m_lastSpace = true;
    m_foldedSpace = true;
    if (m_column < WrapColumn)
        return;
    m_output.Append(LineBreak);
    m_column = 0;
    m_foldedSpace = false;
    m_lastBreak = true;
}

void HtmlStripper::Text(QStringView text) {
    m_output.Append(text);
    m_column += text.size();
    m_lastSpace = false;
    m_foldedSpace = false;
    m_lastBreak = false;
    m_lastBlankLine = false;
}

// Writes list numbers, bullets and cell gaps; they end in whitespace of
// their own, so whitespace after them is dropped.
void HtmlStripper::Layout(QStringView text) {
    Text(text);
    m_lastSpace = true;
}

void HtmlStripper::Break() {
    DropFoldedSpace();
    m_output.Append(LineBreak);
    m_column = 0;
    m_lastSpace = true;
    m_lastBreak = true;
}

// Sets a block apart; blocks that follow each other share one blank line.
void HtmlStripper::Paragraph() {
    if (!m_lastBlankLine)
        BlankLine();
}

void HtmlStripper::BlankLine() {
    Break();
    Break();
    m_lastBlankLine = true;
}

void HtmlStripper::DropFoldedSpace() {
    if (!m_foldedSpace)
        return;
    m_output.ChopOne();
    --m_column;
    m_foldedSpace = false;
}
