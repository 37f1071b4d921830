#include "ui/AddFeedDialog.h"

#include "model/CategoryCollection.h"
#include "retrieval/FeedDiscovery.h"
#include "support/EventWait.h"
#include "support/ListLines.h"
#include "support/TestData.h"
#include "support/TestHttpServer.h"
#include "ui/CategoryPathTree.h"

#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

class AddFeedDialogTest : public ::testing::Test {
protected:
    AddFeedDialogTest() {
        categories.EnsureCategory(QStringLiteral("General"), true, false);
        categories.EnsureCategory(QStringLiteral("World/Europe"), true, false);
    }

    // OK with `address` typed: whether the dialog closed, and what it said.
    std::pair<bool, QString> PressOk(AddFeedDialog& dialog, const QString& address) {
        Child<QLineEdit>(dialog, "txtAddress")->setText(address);
        Child<QPushButton>(dialog, "cmdOK")->click();
        return {dialog.result() == QDialog::Accepted, Child<QLabel>(dialog, "labMessage")->text()};
    }

    template <typename T>
    static T* Child(const AddFeedDialog& dialog, const char* name) {
        return dialog.findChild<T*>(QString::fromLatin1(name));
    }

    // OK with the address typed, and the search that starts waited for.
    void PressOkAndWait(AddFeedDialog& dialog, const QString& address) {
        Child<QLineEdit>(dialog, "txtAddress")->setText(address);
        auto* ok = Child<QPushButton>(dialog, "cmdOK");
        ok->click();
        EXPECT_FALSE(ok->isEnabled());
        EXPECT_EQ(Child<QLabel>(dialog, "labFound")->text(),
                  QStringLiteral("Looking for the feed..."));
        EXPECT_TRUE(WaitUntil([&] { return ok->isEnabled() || dialog.result() != 0; }));
    }

    // Addresses on the test server are written with "{site}" for it.
    QString Local(const QString& text) const {
        return QString(text).replace(server.Url(QString()).toString(QUrl::RemovePath),
                                     QStringLiteral("{site}"));
    }

    CategoryCollection categories;
    TestHttpServer server;
};

const QByteArray Rss = "<rss version=\"2.0\"><channel><title>Harbour News</title></channel></rss>";

QByteArray Page(const QByteArray& links) {
    return "<!DOCTYPE html><html><head>" + links + "</head><body></body></html>";
}

QByteArray Alternate(const QByteArray& href, const QByteArray& title) {
    return "<link rel=\"alternate\" type=\"application/rss+xml\" href=\"" + href + "\" title=\"" +
           title + "\">";
}

TEST_F(AddFeedDialogTest, OnlyAWebAddressIsTakenAndTheRefusalSaysWhy) {
    for (const QStringList& c : TestData::Table(QStringLiteral("tables/add_feed_refusals.tsv"))) {
        const QString& address = c[0];
        const QString& says = c[1];
        AddFeedDialog dialog(categories, QStringLiteral("General"));
        const auto [accepted, message] = PressOk(dialog, address);
        EXPECT_FALSE(accepted) << address.toStdString();
        EXPECT_TRUE(message.contains(says)) << message.toStdString();
    }
}

// The category given is matched whatever its case; one the list lacks
// leaves none chosen, and without one the feed is not taken.
TEST_F(AddFeedDialogTest, TheGivenCategoryIsChosenAtFirstAndAnotherCanBe) {
    AddFeedDialog dialog(categories, QStringLiteral("world/europe"));
    EXPECT_EQ(dialog.Category(), QStringLiteral("World/Europe"));
    dialog.findChild<CategoryPathTree*>()->SelectPath(QStringLiteral("General"));
    Child<QLineEdit>(dialog, "txtAddress")->setText(QStringLiteral(" http://127.0.0.1/feed "));
    EXPECT_EQ(dialog.Address(), QStringLiteral("http://127.0.0.1/feed"));
    EXPECT_EQ(dialog.Category(), QStringLiteral("General"));

    AddFeedDialog missing(categories, QStringLiteral("Sport"));
    EXPECT_TRUE(missing.Category().isEmpty());
    EXPECT_EQ(PressOk(missing, QStringLiteral("http://127.0.0.1/feed")),
              std::pair(false, QStringLiteral("Choose the category the feed goes into.")));
}

// OK looks for the feed behind the address: a feed is taken at once, the
// feed of a page is shown to be confirmed, several to be chosen from, and an
// address without a feed is refused.
TEST_F(AddFeedDialogTest, TheFeedBehindTheAddressIsFoundShownAndTaken) {
    server.Serve("/direct.rss", Rss);
    server.Serve("/one", Page(Alternate("/news.rss", "News")), "text/html");
    server.Serve("/two", Page(Alternate("/a", "A") + Alternate("b", "")), "text/html");
    server.Serve("/none", Page(""), "text/html");
    // What the search says, the feeds offered (none when the first OK takes
    // the feed or refuses the address) and which one the second OK takes
    // (-1: none).
    for (const QJsonValue& value : TestData::Cases(QStringLiteral("cases/add-feed-dialog.json"))) {
        const QJsonObject c = value.toObject();
        const QStringList offered = c["offered"].toVariant().toStringList();
        const int choice = c["choice"].toInt();
        SCOPED_TRACE(c["path"].toString().toStdString());
        AddFeedDialog dialog(categories, QStringLiteral("General"));
        PressOkAndWait(dialog, server.Url(c["path"].toString()).toString());
        EXPECT_EQ(Local(Child<QLabel>(dialog, "labFound")->text()), c["found"].toString());
        EXPECT_EQ(Local(Child<QLabel>(dialog, "labMessage")->text()), c["message"].toString());
        auto* list = Child<QListWidget>(dialog, "lstFeeds");
        EXPECT_EQ(Local(ListLines(*list).join(u'|')), offered.join(u'|'));
        EXPECT_EQ(list->isVisibleTo(&dialog), offered.size() > 1);
        if (choice >= 0) {
            EXPECT_NE(dialog.result(), QDialog::Accepted);
            const qsizetype requests = server.Requests().size();
            list->setCurrentRow(choice);
            Child<QPushButton>(dialog, "cmdOK")->click();
            EXPECT_EQ(server.Requests().size(), requests)
                << "what was found is not looked up again";
        }
        EXPECT_EQ(dialog.result() == QDialog::Accepted, c["message"].toString().isEmpty());
        EXPECT_EQ(Local(dialog.Address()), c["address"].toString());
    }
}

// While the feed is looked for the dialog answers: Cancel ends the search,
// and an address changed after a search forgets what that one found.
TEST_F(AddFeedDialogTest, TheSearchCanBeCancelledAndFollowsTheAddress) {
    server.Serve("/slow", {.NeverAnswer = true});
    server.Serve("/two", Page(Alternate("/a", "A") + Alternate("/b", "B")), "text/html");
    AddFeedDialog dialog(categories, QStringLiteral("General"));
    Child<QLineEdit>(dialog, "txtAddress")->setText(server.Url(QStringLiteral("/slow")).toString());
    Child<QPushButton>(dialog, "cmdOK")->click();
    auto* discovery = dialog.findChild<FeedDiscovery*>();
    ASSERT_NE(discovery, nullptr);
    EXPECT_TRUE(discovery->Running());
    EXPECT_TRUE(Child<QLineEdit>(dialog, "txtAddress")->isReadOnly());
    dialog.reject();
    EXPECT_FALSE(discovery->Running());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);

    PressOkAndWait(dialog, server.Url(QStringLiteral("/two")).toString());
    EXPECT_EQ(Child<QListWidget>(dialog, "lstFeeds")->count(), 2);
    Child<QLineEdit>(dialog, "txtAddress")->setText(server.Url(QStringLiteral("/slow")).toString());
    EXPECT_EQ(Child<QListWidget>(dialog, "lstFeeds")->count(), 0);
    EXPECT_TRUE(Child<QLabel>(dialog, "labFound")->text().isEmpty());
    EXPECT_EQ(Local(dialog.Address()), QStringLiteral("{site}/slow"));
}

} // namespace
