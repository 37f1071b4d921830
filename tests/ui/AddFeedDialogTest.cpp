#include "ui/AddFeedDialog.h"

#include "model/CategoryCollection.h"
#include "retrieval/FeedDiscovery.h"
#include "support/PageScenario.h"
#include "support/TestHttpServer.h"

#include <gtest/gtest.h>

namespace {

QByteArray Page(const QByteArray& links) {
    return "<!DOCTYPE html><html><head>" + links + "</head><body></body></html>";
}

QByteArray Alternate(const QByteArray& href, const QByteArray& title) {
    return "<link rel=\"alternate\" type=\"application/rss+xml\" href=\"" + href + "\" title=\"" +
           title + "\">";
}

} // namespace

// The dialog opened on a category ("category"), step by step: OK takes only
// a web address and looks for the feed behind it (a feed is taken at once,
// the feed of a page is shown to be confirmed, several to be chosen from);
// the search can be cancelled and follows the address. Besides its widgets
// a scenario watches the address and category it answers, "accepted",
// "searching" and the server's "requests".
// data/cases/add-feed-dialog-scenarios.json
TEST(AddFeedDialogTest, Scenarios) {
    TestHttpServer server;
    server.Serve("/direct.rss",
                 "<rss version=\"2.0\"><channel><title>Harbour News</title></channel></rss>");
    server.Serve("/one", Page(Alternate("/news.rss", "News")), "text/html");
    server.Serve("/two", Page(Alternate("/a", "A") + Alternate("b", "")), "text/html");
    server.Serve("/none", Page(""), "text/html");
    server.Serve("/slow", {.NeverAnswer = true});
    CategoryCollection categories;
    categories.EnsureCategory(QStringLiteral("General"), true, false);
    categories.EnsureCategory(QStringLiteral("World/Europe"), true, false);
    PageScenarios::Check(QStringLiteral("add-feed-dialog"), [&](const QJsonObject& scenario) {
        AddFeedDialog dialog(categories, scenario["category"].toString());
        const qsizetype requests = server.Requests().size();
        PageScenario play(dialog, scenario["watch"].toArray());
        play.Placeholders[server.Url(QString()).toString(QUrl::RemovePath)] =
            QStringLiteral("{site}");
        play.Add("cancel", [&](auto&) { dialog.reject(); });
        play.State = [&](const QString& name) {
            const auto* discovery = dialog.findChild<FeedDiscovery*>();
            const QHash<QString, QString> states{
                {"address", dialog.Address()},
                {"category", dialog.Category()},
                {"accepted", dialog.result() == QDialog::Accepted ? "yes" : "no"},
                {"searching", discovery != nullptr && discovery->Running() ? "yes" : "no"},
                {"requests", QString::number(server.Requests().size() - requests)}};
            return states.value(name);
        };
        return play.Play(scenario["steps"].toArray());
    });
}
