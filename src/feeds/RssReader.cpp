#include "feeds/RssReader.h"

#include "feeds/FeedConstants.h"
#include "feeds/FeedDates.h"
#include "feeds/FeedFormat.h"
#include "feeds/HtmlText.h"
#include "feeds/ReaderSupport.h"
#include "feeds/StoryElement.h"
#include "model/Provider.h"
#include "model/StoryCollection.h"
#include "platform/BackgroundNotice.h"

namespace RssReader {
namespace {

using Fields = QHash<QString, XmlNode>;
using ReaderSupport::TextOr;

// Documents without a version are RDF (RSS 0.9 and 1.0); the versioned ones
// keep their items inside channels.
enum class Dialect { Rdf, Channel, Unknown };

Dialect DialectOf(const QString& version) {
    static const QStringList known = {QStringLiteral("0.91"), QStringLiteral("0.92"),
                                      QStringLiteral("1.0"), QStringLiteral("2.0")};
    const QString normalised = NormaliseVersion(version);
    if (normalised.isEmpty())
        return Dialect::Rdf;
    return known.contains(normalised) ? Dialect::Channel : Dialect::Unknown;
}

void AddStory(const Provider& provider, const Fields& fields, const QString& link,
              StoryCollection& stories) {
    const QString title = TextOr(fields, QStringLiteral("title"), provider.ProviderName);
    const QString description = TextOr(fields, QStringLiteral("description"), QString());
    const QString date = TextOr(fields, QStringLiteral("date"), QString()).trimmed();
    stories.Add(HtmlText::StripHTML(title), HtmlText::StripHTML(description), link,
                FeedDates::ParseFeedDate(date), 0, true);
}

// RDF items are children of the root; fields count by local name, so that a
// Dublin Core "dc:date" gives the item its time.
void ReadRdfItems(const Provider& provider, StoryCollection& stories, const XmlNode& root) {
    const QList<XmlNode> children = root.ChildNodes();
    const bool wrapped = !children.isEmpty() && children.first().NodeName() == u"rss";
    const XmlNode container = wrapped ? children.first() : root;
    for (const XmlNode& item : StoryElement::ChildrenNamed(container, QStringLiteral("item"))) {
        const Fields fields = ReaderSupport::LastChildren(
            item, [](const XmlNode& child) { return child.BaseName(); });
        AddStory(provider, fields, ReaderSupport::LinkText(fields.value(QStringLiteral("link"))),
                 stories);
    }
}

// Channel items name their fields as written; "date" and "pubDate" fill the
// same slot, whichever comes last.
QString ChannelFieldKey(const XmlNode& child) {
    const QString name = child.NodeName();
    return name == u"pubDate" ? QStringLiteral("date") : name;
}

bool IsWebPermalink(const XmlNode& guid) {
    const QString flag = guid.GetAttribute(QStringLiteral("isPermaLink")).trimmed();
    const QString text = guid.Text().trimmed();
    return (flag.isEmpty() || flag.compare(u"true", Qt::CaseInsensitive) == 0) &&
           (text.startsWith(u"http://", Qt::CaseInsensitive) ||
            text.startsWith(u"https://", Qt::CaseInsensitive));
}

// The element holding the item's page: its link, else a guid that is a
// permalink to a web page (many RSS 2.0 items carry only that); null when
// there is neither.
XmlNode PageElement(const Fields& fields) {
    const XmlNode link = fields.value(QStringLiteral("link"));
    if (!link.IsNull())
        return link;
    const XmlNode guid = fields.value(QStringLiteral("guid"));
    return !guid.IsNull() && IsWebPermalink(guid) ? guid : XmlNode();
}

QString ChannelItemLink(const Provider& provider, const Fields& fields, bool archive) {
    const XmlNode page = PageElement(fields);
    if (page.IsNull())
        return provider.SiteURL;
    const QString link = ReaderSupport::LinkText(page);
    return archive ? RewriteGroupArchiveLink(link) : link;
}

void ReadChannelItems(const Provider& provider, StoryCollection& stories, const XmlNode& channel,
                      bool moreover, bool archive) {
    const QList<XmlNode> items = StoryElement::ChildrenNamed(channel, QStringLiteral("item"));
    for (qsizetype position = 0; position < items.size(); ++position) {
        const Fields fields = ReaderSupport::LastChildren(items[position], ChannelFieldKey);
        const QString link = ChannelItemLink(provider, fields, archive);
        const bool serviceItem = moreover && position == 0;
        if (serviceItem || FeedConstants::ContainsConstant(link, FeedConstants::KanoodleDomain))
            continue;
        AddStory(provider, fields, link, stories);
    }
}

void ReadChannels(const Provider& provider, StoryCollection& stories, const XmlNode& root) {
    const bool moreover =
        FeedConstants::ContainsConstant(provider.SiteURL, FeedConstants::MoreoverDomain);
    const bool archive = IsGroupArchiveURL(provider.DataURL);
    for (const XmlNode& channel : StoryElement::ChildrenNamed(root, QStringLiteral("channel")))
        ReadChannelItems(provider, stories, channel, moreover, archive);
}

void ReadRdfItemsGuarded(const Provider& provider, StoryCollection& stories, const XmlNode& root) {
    ReaderSupport::StopOnError(QStringLiteral("Error in CreateStoryCollectionFromRSS_09"),
                               [&] { ReadRdfItems(provider, stories, root); });
}

void ReadChannelsGuarded(const Provider& provider, StoryCollection& stories, const XmlNode& root) {
    ReaderSupport::StopOnError(QStringLiteral("Error in CreateStoryCollectionFromRSS_0.91"),
                               [&] { ReadChannels(provider, stories, root); });
}

void ApplyImage(Provider& provider, const XmlNode& image) {
    for (const XmlNode& url : StoryElement::ChildrenNamed(image, QStringLiteral("url"))) {
        provider.ImageURL = ReaderSupport::LinkText(url);
        provider.NeedsDetails = false;
    }
}

// Detail texts are kept as written apart from the indentation around them.
void ApplyChannelField(Provider& provider, const XmlNode& field) {
    const QString name = field.NodeName();
    if (name == u"title")
        provider.ProviderName = field.Text().trimmed();
    else if (name == u"link")
        provider.SiteURL = ReaderSupport::LinkText(field);
    else if (name == u"description")
        provider.Description = field.Text().trimmed();
    else
        return;
    provider.NeedsDetails = false;
}

void ReadRdfDetails(Provider& provider, const XmlNode& root) {
    for (const XmlNode& child : root.ChildNodes()) {
        const QString name = child.NodeName();
        if (name == u"channel") {
            for (const XmlNode& field : child.ChildNodes())
                ApplyChannelField(provider, field);
        } else if (name == u"image") {
            ApplyImage(provider, child);
        }
    }
}

void ReadChannelDetails(Provider& provider, const XmlNode& root) {
    for (const XmlNode& channel : StoryElement::ChildrenNamed(root, QStringLiteral("channel"))) {
        for (const XmlNode& field : channel.ChildNodes()) {
            const QString name = field.NodeName();
            if (name == u"image")
                ApplyImage(provider, field);
            else if (name == u"language")
                provider.Language = ReaderSupport::LanguageNumber(field.Text());
            else
                ApplyChannelField(provider, field);
        }
    }
}

} // namespace

bool ReadStories(Provider& provider, StoryCollection& stories, const XmlNode& root,
                 const QString& version) {
    const QString trimmed = version.trimmed();
    switch (DialectOf(trimmed)) {
    case Dialect::Rdf:
        ReadRdfItemsGuarded(provider, stories, root);
        // An "rss" root without a version keeps its items in channels.
        if (stories.Count() == 0)
            ReadChannelsGuarded(provider, stories, root);
        return true;
    case Dialect::Channel:
        ReadChannelsGuarded(provider, stories, root);
        return true;
    case Dialect::Unknown:
        break;
    }
    BackgroundNotice::Report(QStringLiteral("Unknown XMLNS version (%1) for RSS.").arg(trimmed));
    return false;
}

void ReadDetails(Provider& provider, const XmlNode& root, const QString& version) {
    const QString trimmed = version.trimmed();
    switch (DialectOf(trimmed)) {
    case Dialect::Rdf:
        ReadRdfDetails(provider, root);
        return;
    case Dialect::Channel:
        ReadChannelDetails(provider, root);
        return;
    case Dialect::Unknown:
        break;
    }
    provider.LoadState = LoadState::Failed;
    BackgroundNotice::Report(QStringLiteral("Unknown version (%1) for RSS.").arg(trimmed));
}

QString NormaliseVersion(const QString& version) {
    const qsizetype draftMark = version.indexOf(u'd');
    return draftMark < 0 ? version : version.left(draftMark);
}

bool IsGroupArchiveURL(const QString& url) {
    return FeedConstants::StartsWithAny(url, FeedConstants::GroupArchiveBaseURLs);
}

QString GroupArchiveFeedURL(const QString& url) {
    QString feed = url;
    feed.replace(QStringLiteral("/group/"), QStringLiteral("/messages/"));
    feed.replace(QStringLiteral("/message/"), QStringLiteral("/messages/"));
    const auto trailing = [](QChar c) {
        return c == u'/' || (c >= u'0' && c <= u'9');
    };
    while (!feed.isEmpty() && trailing(feed.back()))
        feed.chop(1);
    return feed + QStringLiteral("?rss=1");
}

QString RewriteGroupArchiveLink(const QString& link) {
    QStringList parts = link.split(u'/');
    if (parts.size() == 9 && parts[5] == parts[7]) {
        parts[3] = parts[4];
        parts[4] = parts[5];
        parts[5] = parts[6];
        parts[6] = parts[8];
        parts[7].clear();
        parts[8].clear();
    }
    QString rewritten = parts.join(u'/');
    if (rewritten.endsWith(QStringLiteral("//")))
        rewritten.chop(2);
    return rewritten;
}

} // namespace RssReader
