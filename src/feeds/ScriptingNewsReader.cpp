#include "feeds/ScriptingNewsReader.h"

#include "feeds/FeedDates.h"
#include "feeds/FeedFormat.h"
#include "feeds/HtmlText.h"
#include "feeds/ReaderSupport.h"
#include "feeds/StoryElement.h"

namespace ScriptingNewsReader {

namespace {

// The headline and address of an item live inside its "link" elements; with
// several links, the last headline and the last address found win.
StoryElement::Fields LinkFields(const XmlNode& item) {
    StoryElement::Fields link;
    for (const XmlNode& element : StoryElement::ChildrenNamed(item, QStringLiteral("link")))
        link.Collect(element);
    return link;
}

void ReadItem(Provider& provider, StoryCollection& stories, const XmlNode& item) {
    const StoryElement::Fields link = LinkFields(item);
    if (!link.HasAll({QStringLiteral("url"), QStringLiteral("linetext")}))
        return;
    QString title = HtmlText::StripHTML(link.Text(QStringLiteral("linetext")));
    if (title.isEmpty())
        title = provider.ProviderName;
    const StoryElement::Fields fields(item);
    // Without a date in the format, a story is as new as the moment it is read.
    stories.Add(title, HtmlText::StripHTML(fields.Text(QStringLiteral("text"))),
                link.Link(QStringLiteral("url")), FeedDates::Now(), 0, true);
}

void ReadHeaderField(Provider& provider, const XmlNode& field) {
    const QString name = field.NodeName();
    if (name == QLatin1String("channelTitle"))
        provider.ProviderName = field.Text().trimmed();
    else if (name == QLatin1String("channelLink"))
        provider.SiteURL = ReaderSupport::LinkText(field);
    else if (name == QLatin1String("channelDescription"))
        provider.Description = field.Text().trimmed();
    else
        return;
    provider.NeedsDetails = false;
}

} // namespace

bool ReadStories(Provider& provider, StoryCollection& stories, const XmlNode& root) {
    for (const XmlNode& item : StoryElement::ChildrenNamed(root, QStringLiteral("item")))
        ReadItem(provider, stories, item);
    provider.LoadState = LoadState::LoadedWithNewStories;
    return true;
}

void ReadDetails(Provider& provider, const XmlNode& root) {
    for (const XmlNode& header : StoryElement::ChildrenNamed(root, QStringLiteral("header"))) {
        for (const XmlNode& field : header.ChildNodes()) {
            if (field.IsElement())
                ReadHeaderField(provider, field);
        }
    }
}

} // namespace ScriptingNewsReader
