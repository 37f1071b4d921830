#include "feeds/AtomReader.h"

#include "feeds/FeedDates.h"
#include "feeds/HtmlText.h"
#include "feeds/ReaderSupport.h"
#include "feeds/StoryElement.h"
#include "model/Provider.h"
#include "model/StoryCollection.h"
#include "platform/XmlChildren.h"

#include <algorithm>

namespace AtomReader {
namespace {

using Fields = QHash<QString, XmlNode>;

Fields FieldsByLocalName(const XmlNode& element) {
    return ReaderSupport::LastChildren(element,
                                       [](const XmlNode& child) { return child.BaseName(); });
}

// The first of `names` the element has, or a null node (whose text is empty).
XmlNode FirstPresent(const Fields& fields, const QStringList& names) {
    for (const QString& name : names) {
        const auto found = fields.constFind(name);
        if (found != fields.cend())
            return *found;
    }
    return {};
}

bool IsAlternate(const XmlNode& link) {
    const QString rel = link.GetAttribute(QStringLiteral("rel")).trimmed();
    return rel.isEmpty() || rel == u"alternate";
}

// Atom 1.0 puts replies, enclosures, edit and self links beside the page
// itself; the page is the link without rel or with rel="alternate". Without
// one the last link counts, as Atom 0.3 readers expect.
QString PreferredHref(const XmlNode& parent) {
    QList<XmlNode> links;
    for (const XmlNode& child : XmlChildren(parent)) {
        if (child.IsElement() && child.BaseName() == u"link")
            links.append(child);
    }
    const auto alternate = std::find_if(links.cbegin(), links.cend(), IsAlternate);
    const XmlNode chosen = alternate != links.cend() ? *alternate
                           : links.isEmpty()         ? XmlNode()
                                                     : links.last();
    return ReaderSupport::AbsoluteLink(chosen,
                                       chosen.GetAttribute(QStringLiteral("href")).trimmed());
}

bool IsInlineXhtml(const XmlNode& construct) {
    const QString type = construct.GetAttribute(QStringLiteral("type")).trimmed();
    const bool xhtml = type == u"xhtml" || type == u"application/xhtml+xml";
    return xhtml && construct.GetAttribute(QStringLiteral("mode")).trimmed() != u"escaped";
}

// The HTML a text construct (title, summary, content) holds, for StripHTML.
// Escaped HTML and plain text are the element's text. Inline XHTML is
// handed over as markup, so that its paragraphs and line breaks stay apart
// and its escaped "<" stays text; it sits inside one div, which is dropped.
QString ConstructHtml(const XmlNode& construct) {
    if (!IsInlineXhtml(construct))
        return construct.Text();
    XmlNode container = construct;
    const QList<XmlNode> children = construct.ChildNodes();
    if (children.size() == 1 && children.first().BaseName() == u"div")
        container = children.first();
    QString html;
    for (const XmlNode& child : XmlChildren(container))
        html += child.Xml();
    return html;
}

void ReadEntry(const Provider& provider, StoryCollection& stories, const XmlNode& entry) {
    // The Atom 0.3 names first, then Atom 1.0's.
    static const QStringList dateNames = {QStringLiteral("modified"), QStringLiteral("issued"),
                                          QStringLiteral("created"), QStringLiteral("updated"),
                                          QStringLiteral("published")};
    const Fields fields = FieldsByLocalName(entry);
    const auto title = fields.constFind(QStringLiteral("title"));
    const QString titleHtml =
        title == fields.cend() ? provider.ProviderName : ConstructHtml(*title);
    const QString description =
        ConstructHtml(FirstPresent(fields, {QStringLiteral("summary"), QStringLiteral("content")}));
    const QString href = PreferredHref(entry);
    const QString date = FirstPresent(fields, dateNames).Text().trimmed();
    stories.Add(HtmlText::StripHTML(titleHtml), HtmlText::StripHTML(description).trimmed(),
                href.isEmpty() ? provider.SiteURL : href, FeedDates::ParseFeedDate(date), 0, true);
}

void SetDetail(Provider& provider, QString& target, const XmlNode& source) {
    if (source.IsNull())
        return;
    target = source.Text().trimmed();
    provider.NeedsDetails = false;
}

} // namespace

bool ReadStories(Provider& provider, StoryCollection& stories, const XmlNode& root) {
    ReaderSupport::StopOnError(QStringLiteral("Error in CreateStoryCollectionFromATOM"), [&] {
        for (const XmlNode& entry : StoryElement::ChildrenNamed(root, QStringLiteral("entry")))
            ReadEntry(provider, stories, entry);
    });
    return true;
}

void ReadDetails(Provider& provider, const XmlNode& root) {
    const Fields fields = FieldsByLocalName(root);
    SetDetail(provider, provider.ProviderName, fields.value(QStringLiteral("title")));
    SetDetail(provider, provider.Description,
              FirstPresent(fields, {QStringLiteral("tagline"), QStringLiteral("subtitle")}));
    const QString href = PreferredHref(root);
    if (!href.isEmpty()) {
        provider.SiteURL = href;
        provider.NeedsDetails = false;
    }
    const auto language = fields.constFind(QStringLiteral("language"));
    if (language != fields.cend())
        provider.Language = ReaderSupport::LanguageNumber(language->Text());
}

} // namespace AtomReader
