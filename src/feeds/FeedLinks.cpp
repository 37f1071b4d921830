#include "feeds/FeedLinks.h"

#include "feeds/HtmlText.h"
#include "platform/LinkPolicy.h"

#include <QSet>

#include <algorithm>
#include <array>

namespace {

using namespace Qt::Literals::StringLiterals;

constexpr std::array FeedTypes = {"application/rss+xml"_L1, "application/atom+xml"_L1,
                                  "application/rdf+xml"_L1};

struct Attribute {
    QString Name; // lower case
    QString Value;
};

// One start tag: its name in lower case and its attributes as written.
struct StartTag {
    QString Name;
    QList<Attribute> Attributes;

    QString Value(QLatin1StringView name) const {
        for (const Attribute& attribute : Attributes) {
            if (attribute.Name == name)
                return HtmlText::DecodeEntities(attribute.Value);
        }
        return {};
    }
};

bool IsTagSpace(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f';
}

// Reads tags one after another; every call moves on, so a page is read once.
class TagReader {
public:
    explicit TagReader(QStringView html)
        : m_html(html) {}

    // The next start tag; false at the end of the page.
    bool Next(StartTag& tag) {
        while (m_position < m_html.size()) {
            const qsizetype open = m_html.indexOf(u'<', m_position);
            if (open < 0)
                break;
            m_position = open + 1;
            if (ReadStartTag(tag))
                return true;
        }
        m_position = m_html.size();
        return false;
    }

    // Passes over the text of a script or style up to its end tag.
    void SkipRawText(QStringView name) {
        for (;;) {
            const qsizetype end = m_html.indexOf(u"</", m_position);
            if (end < 0) {
                m_position = m_html.size();
                return;
            }
            m_position = end + 2;
            const qsizetype after = m_position + name.size();
            if (m_html.mid(m_position, name.size()).compare(name, Qt::CaseInsensitive) == 0 &&
                (after >= m_html.size() || !m_html[after].isLetterOrNumber()))
                return;
        }
    }

private:
    // After a "<": a start tag is read whole; comments, declarations and end
    // tags are passed over.
    bool ReadStartTag(StartTag& tag) {
        const QStringView rest = m_html.mid(m_position);
        if (rest.startsWith(u"!--")) {
            const qsizetype end = m_html.indexOf(u"-->", m_position + 3);
            m_position = end < 0 ? m_html.size() : end + 3;
            return false;
        }
        if (rest.isEmpty() || !rest.front().isLetter()) {
            const bool markup = !rest.isEmpty() && (rest.front() == u'!' || rest.front() == u'?' ||
                                                    rest.front() == u'/');
            if (markup)
                SkipPast(u'>');
            return false;
        }
        tag.Name = ReadWhile([](QChar c) { return !IsTagSpace(c) && c != u'/' && c != u'>'; })
                       .toString()
                       .toLower();
        tag.Attributes.clear();
        // A tag the page leaves open at its end is no tag.
        return ReadAttributes(tag.Attributes);
    }

    // Whether the tag's ">" came.
    bool ReadAttributes(QList<Attribute>& attributes) {
        while (m_position < m_html.size()) {
            ReadWhile([](QChar c) { return IsTagSpace(c) || c == u'/'; });
            if (m_position >= m_html.size())
                return false;
            if (m_html[m_position] == u'>') {
                ++m_position;
                return true;
            }
            Attribute attribute;
            attribute.Name = ReadWhile([](QChar c) {
                                 return !IsTagSpace(c) && c != u'/' && c != u'>' && c != u'=';
                             })
                                 .toString()
                                 .toLower();
            ReadWhile(IsTagSpace);
            if (m_position < m_html.size() && m_html[m_position] == u'=') {
                ++m_position;
                ReadWhile(IsTagSpace);
                attribute.Value = ReadValue().toString();
            }
            if (!attribute.Name.isEmpty())
                attributes.append(attribute);
        }
        return false;
    }

    QStringView ReadValue() {
        if (m_position >= m_html.size())
            return {};
        const QChar quote = m_html[m_position];
        if (quote != u'"' && quote != u'\'')
            return ReadWhile([](QChar c) { return !IsTagSpace(c) && c != u'>'; });
        const qsizetype start = m_position + 1;
        const qsizetype end = m_html.indexOf(quote, start);
        m_position = end < 0 ? m_html.size() : end + 1;
        return m_html.mid(start, (end < 0 ? m_html.size() : end) - start);
    }

    template <typename Predicate>
    QStringView ReadWhile(Predicate wanted) {
        const qsizetype start = m_position;
        while (m_position < m_html.size() && wanted(m_html[m_position]))
            ++m_position;
        return m_html.mid(start, m_position - start);
    }

    void SkipPast(QChar wanted) {
        const qsizetype end = m_html.indexOf(wanted, m_position);
        m_position = end < 0 ? m_html.size() : end + 1;
    }

    QStringView m_html;
    qsizetype m_position = 0;
};

bool IsFeedType(const QString& type) {
    const QString bare = type.section(u';', 0, 0).trimmed();
    return std::any_of(FeedTypes.begin(), FeedTypes.end(), [&bare](QLatin1StringView feedType) {
        return bare.compare(feedType, Qt::CaseInsensitive) == 0;
    });
}

bool IsAlternate(const QString& rel) {
    const QStringList tokens = rel.simplified().split(u' ', Qt::SkipEmptyParts);
    return std::any_of(tokens.begin(), tokens.end(), [](const QString& token) {
        return token.compare("alternate"_L1, Qt::CaseInsensitive) == 0;
    });
}

} // namespace

namespace FeedLinks {

QList<FeedLink> InPage(QStringView html, const QUrl& page) {
    QUrl base = page;
    bool baseSeen = false;
    QList<FeedLink> announced; // addresses as written until the base is known
    TagReader reader(html);
    StartTag tag;
    while (reader.Next(tag)) {
        if (tag.Name == u"script" || tag.Name == u"style") {
            reader.SkipRawText(tag.Name);
        } else if (tag.Name == u"base" && !baseSeen && !tag.Value("href"_L1).trimmed().isEmpty()) {
            // The first base with an address is the document's, even for
            // links before it.
            baseSeen = true;
            base = page.resolved(QUrl(tag.Value("href"_L1).trimmed()));
        } else if (tag.Name == u"link" && IsAlternate(tag.Value("rel"_L1)) &&
                   IsFeedType(tag.Value("type"_L1))) {
            const QString href = tag.Value("href"_L1).trimmed();
            if (!href.isEmpty())
                announced.append({tag.Value("title"_L1).simplified(), href});
        }
    }
    QList<FeedLink> links;
    QSet<QString> seen;
    for (const FeedLink& link : announced) {
        const std::optional<QUrl> address =
            LinkPolicy::WebAddress(base.resolved(QUrl(link.Address)).toString(QUrl::FullyEncoded));
        if (!address)
            continue;
        const QString text = address->toString(QUrl::FullyEncoded);
        if (seen.contains(text))
            continue;
        seen.insert(text);
        links.append({link.Title, text});
    }
    return links;
}

QString Describe(const FeedLink& feed) {
    return feed.Title.isEmpty() ? feed.Address
                                : QStringLiteral("%1 (%2)").arg(feed.Title, feed.Address);
}

} // namespace FeedLinks
