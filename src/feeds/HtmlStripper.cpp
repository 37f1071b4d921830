#include "feeds/HtmlStripper.h"

#include "feeds/HtmlText.h"

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

HtmlStripper::HtmlStripper(QStringView html)
    : m_html(html)
    , m_tagEnd(html, u'>')
    , m_rowTagEnd(html, u'>') {
    m_output.reserve(html.size() + html.size() / 8);
}

QString HtmlStripper::Run() {
    qsizetype position = 0;
    while (position < m_html.size())
        position = Character(position);
    DropFoldedSpace();
    return m_output;
}

// Handles the character at `position`; returns where to go on.
qsizetype HtmlStripper::Character(qsizetype position) {
    const QChar c = m_html[position];
    if (m_inComment)
        return c == u'-' ? CommentEnd(position) : position + 1;
    if (c == u'<') {
        const qsizetype next = Tag(position);
        if (next >= 0)
            return next;
    }
    if (m_inScript)
        return position + 1;
    if (c == u'&')
        return Reference(position);
    if (c == u' ' || c.unicode() < UnitSeparator)
        Space();
    else if (c.unicode() != UnitSeparator)
        Text(m_html.sliced(position, 1));
    return position + 1;
}

// Reads the tag opened at `position`; -1 when no ">" closes it, so the "<"
// is plain text.
qsizetype HtmlStripper::Tag(qsizetype position) {
    if (m_html.sliced(position + 1).startsWith(CommentStart))
        return ApplyTag(CommentStart, position + 1 + CommentStart.size());
    const qsizetype closer = m_tagEnd.From(position + 1);
    if (closer < 0)
        return -1;
    return ApplyTag(m_html.sliced(position + 1, closer - position - 1).trimmed(), closer + 1);
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
    const QString name = tag.toString().remove(u' ');
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
    m_output += m_html.sliced(next, end - next);
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
        const QStringView tag = m_html.sliced(i + 1, closer - i - 1).trimmed();
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
    Text(HtmlText::DecodeEntity(m_html.sliced(position + 1, length).toString()));
    return position + length + 2;
}

void HtmlStripper::Space() {
    if (m_lastSpace)
        return;
    m_output += u' ';
    ++m_column;
    m_lastSpace = true;
    m_foldedSpace = true;
    if (m_column < WrapColumn)
        return;
    m_output += LineBreak;
    m_column = 0;
    m_foldedSpace = false;
    m_lastBreak = true;
}

void HtmlStripper::Text(QStringView text) {
    m_output += text;
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
    m_output += LineBreak;
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
    m_output.chop(1);
    --m_column;
    m_foldedSpace = false;
}
