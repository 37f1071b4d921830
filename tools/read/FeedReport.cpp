#include "FeedReport.h"

#include "model/Provider.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QString TimeText(const Date& time) {
    return time.ToQDateTime().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
}

QJsonObject StoryObject(const StoryCollection& stories, qsizetype position) {
    const Story& story = stories.Item(position);
    return {{QStringLiteral("title"), story.Title},
            {QStringLiteral("description"), story.Description},
            {QStringLiteral("url"), stories.ItemURL(position)},
            {QStringLiteral("time"), TimeText(story.Time)},
            {QStringLiteral("comments"), story.Comments},
            {QStringLiteral("new"), story.NewStory}};
}

} // namespace

namespace FeedReport {

QString AsTable(const Provider& provider) {
    QString text = QStringLiteral("%1\n%2\n\n").arg(provider.ProviderName, provider.SiteURL);
    const StoryCollection& stories = *provider.Stories;
    for (qsizetype i = 1; i <= stories.Count(); ++i) {
        const Story& story = stories.Item(i);
        text += QStringLiteral("%1 %2  %3\n    %4\n")
                    .arg(story.NewStory ? QStringLiteral("*") : QStringLiteral(" "),
                         TimeText(story.Time), story.Title, stories.ItemURL(i));
    }
    return text;
}

QByteArray AsJson(const Provider& provider, const QStringList& notices) {
    QJsonArray stories;
    for (qsizetype i = 1; i <= provider.Stories->Count(); ++i)
        stories.append(StoryObject(*provider.Stories, i));
    const QJsonObject details{{QStringLiteral("name"), provider.ProviderName},
                              {QStringLiteral("description"), provider.Description},
                              {QStringLiteral("siteUrl"), provider.SiteURL},
                              {QStringLiteral("imageUrl"), provider.ImageURL},
                              {QStringLiteral("language"), provider.Language},
                              {QStringLiteral("needsDetails"), provider.NeedsDetails}};
    const QJsonObject root{{QStringLiteral("format"), provider.DataType},
                           {QStringLiteral("loadState"), provider.LoadState},
                           {QStringLiteral("provider"), details},
                           {QStringLiteral("stories"), stories},
                           {QStringLiteral("notices"), QJsonArray::fromStringList(notices)}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

} // namespace FeedReport
