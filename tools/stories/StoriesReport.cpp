#include "StoriesReport.h"

#include "platform/TimeZoneInfo.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QJsonValue OrNull(bool known, const QJsonValue& value) {
    return known ? value : QJsonValue(QJsonValue::Null);
}

QString Utc(const QDateTime& time) {
    return time.toUTC().toString(Qt::ISODate);
}

// A story's time is kept as local wall-clock time; one at or before the
// date that stands for "never" is none.
QJsonValue StoryTime(const Date& time) {
    return OrNull(time > Date::Never(),
                  Utc(QDateTime(time.ToQDate(), time.ToQTime(), TimeZoneInfo::LocalZone())));
}

QString Shown(const QJsonValue& value) {
    return value.isNull() ? QStringLiteral("none") : value.toString();
}

QString ProviderLine(const StoryStore::ProviderRecords& provider) {
    if (provider.UniqueID == 0)
        return QStringLiteral("Provider temporary %1\n").arg(provider.DataURL);
    return QStringLiteral("Provider %1\n").arg(provider.UniqueID);
}

QString StoryLines(const StoryStore::Record& story) {
    const QString place =
        story.Position > 0 ? QString::number(story.Position) : QStringLiteral("older");
    return QStringLiteral("  %1%2  %3\n    %4\n    time %5, first seen %6, last seen %7\n")
        .arg(place, story.Opened ? QStringLiteral(" opened") : QString(), story.Title, story.Link,
             Shown(StoryTime(story.Time)), Utc(story.FirstSeen), Utc(story.LastSeen));
}

QJsonObject StoryObject(const StoryStore::Record& story) {
    return {{QStringLiteral("position"), OrNull(story.Position > 0, story.Position)},
            {QStringLiteral("opened"), story.Opened},
            {QStringLiteral("title"), story.Title},
            {QStringLiteral("link"), story.Link},
            {QStringLiteral("description"), story.Description},
            {QStringLiteral("comments"), story.Comments},
            {QStringLiteral("time"), StoryTime(story.Time)},
            {QStringLiteral("firstSeen"), Utc(story.FirstSeen)},
            {QStringLiteral("lastSeen"), Utc(story.LastSeen)}};
}

QJsonObject ProviderObject(const StoryStore::ProviderRecords& provider) {
    QJsonArray stories;
    for (const StoryStore::Record& story : provider.Stories)
        stories.append(StoryObject(story));
    const bool temporary = provider.UniqueID == 0;
    return {{QStringLiteral("uniqueId"), OrNull(!temporary, provider.UniqueID)},
            {QStringLiteral("dataUrl"), OrNull(temporary, provider.DataURL)},
            {QStringLiteral("stories"), stories}};
}

} // namespace

namespace StoriesReport {

QString AsText(const std::vector<StoryStore::ProviderRecords>& providers) {
    if (providers.empty())
        return QStringLiteral("No headlines are stored.\n");
    QString text;
    for (const StoryStore::ProviderRecords& provider : providers) {
        text += (text.isEmpty() ? QString() : QStringLiteral("\n")) + ProviderLine(provider);
        for (const StoryStore::Record& story : provider.Stories)
            text += StoryLines(story);
    }
    return text;
}

QByteArray AsJson(const std::vector<StoryStore::ProviderRecords>& providers) {
    QJsonArray list;
    for (const StoryStore::ProviderRecords& provider : providers)
        list.append(ProviderObject(provider));
    return QJsonDocument(QJsonObject{{QStringLiteral("providers"), list}})
        .toJson(QJsonDocument::Indented);
}

} // namespace StoriesReport
