#include "feeds/MoreoverReader.h"

#include "feeds/FeedDates.h"
#include "feeds/HtmlText.h"
#include "feeds/StoryElement.h"

namespace MoreoverReader {

namespace {

bool IsTextArticle(const StoryElement::Fields& fields) {
    return fields.HasAll({QStringLiteral("headline_text"), QStringLiteral("url")}) &&
           fields.Value(QStringLiteral("media_type")) == QLatin1String("text");
}

// An article without its time is as new as the moment it is read.
Date HarvestTime(const StoryElement::Fields& fields) {
    static const QString name = QStringLiteral("harvest_time");
    return fields.Has(name) ? FeedDates::SafeDate(fields.Value(name)) : FeedDates::Now();
}

void ReadArticle(StoryCollection& stories, const XmlNode& article) {
    const StoryElement::Fields fields(article);
    if (!IsTextArticle(fields))
        return;
    const Date time = HarvestTime(fields);
    stories.Add(HtmlText::DecodeEntities(fields.Text(QStringLiteral("headline_text"))), QString(),
                fields.Link(QStringLiteral("url")), time, 0, true);
}

} // namespace

bool ReadStories(Provider& /*provider*/, StoryCollection& stories, const XmlNode& root) {
    for (const XmlNode& article : StoryElement::ChildrenNamed(root, QStringLiteral("article")))
        ReadArticle(stories, article);
    return true;
}

} // namespace MoreoverReader
