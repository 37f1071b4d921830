#include "feeds/StoryListReader.h"

#include "feeds/FeedDates.h"
#include "feeds/HtmlText.h"
#include "feeds/StoryElement.h"

namespace StoryListReader {

namespace {

// Date format code 9 keeps the day, month, year and time of an RFC 822 date
// and drops the weekday and the zone: the times are taken as written. A
// story without its time is as new as the moment it is read.
Date PostTime(const StoryElement::Fields& fields) {
    static const QString name = QStringLiteral("postTime");
    if (!fields.Has(name))
        return FeedDates::Now();
    return FeedDates::SafeDate(
        FeedDates::DateFormatHandler(QStringLiteral("9"), fields.Value(name)).trimmed());
}

void ReadStory(StoryCollection& stories, const XmlNode& story) {
    const StoryElement::Fields fields(story);
    if (!fields.HasAll({QStringLiteral("storyText"), QStringLiteral("channelUrl")}))
        return;
    const Date time = PostTime(fields);
    const QString title =
        HtmlText::RemoveTags(HtmlText::DecodeEntities(fields.Text(QStringLiteral("storyText"))));
    stories.Add(title, QString(), fields.Link(QStringLiteral("channelUrl")), time, 0, true);
}

} // namespace

bool ReadStories(Provider& /*provider*/, StoryCollection& stories, const XmlNode& root) {
    for (const XmlNode& story : StoryElement::ChildrenNamed(root, QStringLiteral("story")))
        ReadStory(stories, story);
    return true;
}

} // namespace StoryListReader
