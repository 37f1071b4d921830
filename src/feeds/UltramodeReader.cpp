#include "feeds/UltramodeReader.h"

#include "feeds/FeedDates.h"
#include "feeds/FeedFormat.h"
#include "feeds/HtmlText.h"
#include "feeds/StoryElement.h"
#include "platform/TextConversion.h"

namespace UltramodeReader {

namespace {

// Author, department, topic, section and image are never shown, yet a story
// without them is not read: sites that drop them publish a different format.
const QStringList& RequiredFields() {
    static const QStringList names{
        QStringLiteral("title"),    QStringLiteral("url"),        QStringLiteral("time"),
        QStringLiteral("author"),   QStringLiteral("department"), QStringLiteral("topic"),
        QStringLiteral("comments"), QStringLiteral("section"),    QStringLiteral("image")};
    return names;
}

void ReadStory(StoryCollection& stories, const XmlNode& story) {
    const StoryElement::Fields fields(story);
    if (!fields.HasAll(RequiredFields()))
        return;
    stories.Add(HtmlText::DecodeEntities(fields.Text(QStringLiteral("title"))), QString(),
                fields.Value(QStringLiteral("url")),
                FeedDates::SafeDate(fields.Value(QStringLiteral("time"))),
                TextConversion::ToInteger(fields.Value(QStringLiteral("comments"))), true);
}

} // namespace

bool ReadStories(Provider& provider, StoryCollection& stories, const XmlNode& root) {
    for (const XmlNode& story : StoryElement::ChildrenNamed(root, QStringLiteral("story")))
        ReadStory(stories, story);
    provider.LoadState = LoadState::LoadedWithNewStories;
    return true;
}

} // namespace UltramodeReader
