#include "ui/AddFeedDialog.h"

#include "model/CategoryCollection.h"
#include "retrieval/FeedDiscovery.h"
#include "support/PageScenario.h"
#include "support/TestHttpServer.h"

#include <gtest/gtest.h>

// The dialog opened on a category ("category"), step by step: OK takes only
// a web address and looks for the feed behind it (a feed is taken at once,
// the feed of a page is shown to be confirmed, several to be chosen from);
// the search can be cancelled and follows the address. Besides its widgets
// a scenario watches the address and category it answers, "accepted",
// "searching" and the server's "requests".
// data/cases/add-feed-dialog-scenarios.json
TEST(AddFeedDialogTest, Scenarios) {
    TestHttpServer server;
    // The pages and the feed of tests/data/add-feed-dialog, a page without ".html".
    for (const QString& file : GoldenFile::FilesUnder(TestData::Path("add-feed-dialog")))
        server.Serve(QString(u'/' + file).remove(".html").toUtf8(),
                     TestData::Read("add-feed-dialog/" + file),
                     file.endsWith(".html") ? "text/html" : "application/xml");
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
