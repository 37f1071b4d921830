#include "feeds/StoryListReader.h"

#include "feeds/FeedDates.h"
#include "feeds/HtmlText.h"
#include "feeds/StoryElement.h"

namespace StoryListReader {

namespace {

// Date format code 9 keeps the day, month, year and time of an RFC 822 date
// and drops the weekday and the zone: the times are taken as written.
Date PostTime(const StoryElement::Fields& fields) {
    const QString postTime = fields.RequiredValue(QStringLiteral("postTime"));
    return FeedDates::SafeDate(
        FeedDates::DateFormatHandler(QStringLiteral("9"), postTime).trimmed());
}

void ReadStory(StoryCollection& stories, const XmlNode& story) {
    const StoryElement::Fields fields(story);
    if (!fields.HasAll({QStringLiteral("storyText"), QStringLiteral("channelUrl")}))
        return;
    const Date time = PostTime(fields);
    const QString title =
        HtmlText::RemoveTags(HtmlText::DecodeEntities(fields.Text(QStringLiteral("storyText"))));
    stories.Add(title, QString(), fields.Value(QStringLiteral("channelUrl")), time, 0, true);
}

} // namespace

bool ReadStories(Provider& /*provider*/, StoryCollection& stories, const XmlNode& root) {
    for (const XmlNode& story : StoryElement::ChildrenNamed(root, QStringLiteral("story")))
        ReadStory(stories, story);
    return true;
}

} // namespace StoryListReader
