#include "feeds/UltramodeReader.h"

#include "feeds/FeedDates.h"
#include "feeds/FeedFormat.h"
#include "feeds/HtmlText.h"
#include "feeds/StoryElement.h"
#include "platform/TextConversion.h"

#include <algorithm>
#include <limits>

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

// The comment count as the story list shows it: a count the list cannot
// hold is shown as its largest, and one that is no count at all as none,
// rather than losing the story or the feed.
Integer CommentCount(const QString& text) {
    constexpr qint64 Most = std::numeric_limits<Integer>::max();
    const std::optional<qint64> count = TextConversion::ToScaledDecimal(text, 0, u".");
    if (!count) {
        // Digits too many for any integer are still a count, and a large one.
        const bool digits = !text.isEmpty() && std::all_of(text.cbegin(), text.cend(),
                                                           [](QChar c) { return c.isDigit(); });
        return digits ? static_cast<Integer>(Most) : 0;
    }
    return static_cast<Integer>(std::clamp<qint64>(*count, 0, Most));
}

void ReadStory(StoryCollection& stories, const XmlNode& story) {
    const StoryElement::Fields fields(story);
    if (!fields.HasAll(RequiredFields()))
        return;
    stories.Add(HtmlText::DecodeEntities(fields.Text(QStringLiteral("title"))), QString(),
                fields.Link(QStringLiteral("url")),
                FeedDates::SafeDate(fields.Value(QStringLiteral("time"))),
                CommentCount(fields.Value(QStringLiteral("comments"))), true);
}

} // namespace

bool ReadStories(Provider& provider, StoryCollection& stories, const XmlNode& root) {
    for (const XmlNode& story : StoryElement::ChildrenNamed(root, QStringLiteral("story")))
        ReadStory(stories, story);
    provider.LoadState = LoadState::LoadedWithNewStories;
    return true;
}

} // namespace UltramodeReader
