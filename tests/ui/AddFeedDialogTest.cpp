#include "ui/AddFeedDialog.h"

#include "model/CategoryCollection.h"
#include "retrieval/FeedDiscovery.h"
#include "support/EventWait.h"
#include "support/TestHttpServer.h"
#include "ui/CategoryPathTree.h"

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
        dialog.findChild<QLineEdit*>(QStringLiteral("txtAddress"))->setText(address);
        dialog.findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
        return {dialog.result() == QDialog::Accepted,
                dialog.findChild<QLabel*>(QStringLiteral("labMessage"))->text()};
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
    struct Case {
        QString address;
        bool accepted;
        QString says;
    };
    const std::vector<Case> cases{
        {"", false, "Type the address of the feed."},
        {"ftp://127.0.0.1/feed.xml", false, "is not a web address"},
        {"javascript:alert(1)", false, "is not a web address"},
        {"127.0.0.1/feed.xml", false, "begins with http:// or https://"},
        {"http://", false, "is not a web address"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address.toStdString());
        AddFeedDialog dialog(categories, QStringLiteral("General"));
        const auto [accepted, message] = PressOk(dialog, c.address);
        EXPECT_EQ(accepted, c.accepted);
        if (c.says.isEmpty())
            EXPECT_TRUE(message.isEmpty());
        else
            EXPECT_TRUE(message.contains(c.says)) << message.toStdString();
    }
}

TEST_F(AddFeedDialogTest, TheGivenCategoryIsChosenAtFirstAndAnotherCanBe) {
    AddFeedDialog dialog(categories, QStringLiteral("world/europe"));
    EXPECT_EQ(dialog.Category(), QStringLiteral("World/Europe"));
    dialog.findChild<CategoryPathTree*>()->SelectPath(QStringLiteral("General"));
    dialog.findChild<QLineEdit*>(QStringLiteral("txtAddress"))
        ->setText(QStringLiteral(" http://127.0.0.1/feed "));
    EXPECT_EQ(dialog.Address(), QStringLiteral("http://127.0.0.1/feed"));
    EXPECT_EQ(dialog.Category(), QStringLiteral("General"));
}

TEST_F(AddFeedDialogTest, WithoutACategoryTheFeedIsNotTaken) {
    AddFeedDialog dialog(categories, QStringLiteral("Sport"));
    EXPECT_TRUE(dialog.Category().isEmpty());
    const auto [accepted, message] = PressOk(dialog, QStringLiteral("http://127.0.0.1/feed"));
    EXPECT_FALSE(accepted);
    EXPECT_EQ(message, QStringLiteral("Choose the category the feed goes into."));
}

// OK looks for the feed behind the address: a feed is taken at once, the
// feed of a page is shown to be confirmed, several to be chosen from, and an
// address without a feed is refused.
TEST_F(AddFeedDialogTest, TheFeedBehindTheAddressIsFoundShownAndTaken) {
    server.Serve("/direct.rss", Rss);
    server.Serve("/one", Page(Alternate("/news.rss", "News")), "text/html");
    server.Serve("/two", Page(Alternate("/a", "A") + Alternate("b", "")), "text/html");
    server.Serve("/none", Page(""), "text/html");
    struct Case {
        const char* path;
        // What the search says, and the feeds offered; none when the first
        // OK takes the feed or refuses the address.
        QString found;
        QStringList offered;
        QString message;
        // Which one the second OK takes; -1 for none.
        int choice;
        QString address;
    };
    const std::vector<Case> cases{
        {"/direct.rss", "Found: Harbour News ({site}/direct.rss)", {}, "", -1, "{site}/direct.rss"},
        {"/one",
         "Found: News ({site}/news.rss). Press OK to subscribe to it.",
         {"News ({site}/news.rss)"},
         "",
         0,
         "{site}/news.rss"},
        {"/two",
         "The page names 2 feeds. Choose one and press OK.",
         {"A ({site}/a)", "{site}/b"},
         "",
         1,
         "{site}/b"},
        {"/none", "", {}, "No feed was found at {site}/none.", -1, "{site}/none"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        AddFeedDialog dialog(categories, QStringLiteral("General"));
        PressOkAndWait(dialog, server.Url(QString::fromLatin1(c.path)).toString());
        EXPECT_EQ(Local(Child<QLabel>(dialog, "labFound")->text()), c.found);
        EXPECT_EQ(Local(Child<QLabel>(dialog, "labMessage")->text()), c.message);
        auto* list = Child<QListWidget>(dialog, "lstFeeds");
        QStringList offered;
        for (int row = 0; row < list->count(); ++row)
            offered.append(Local(list->item(row)->text()));
        EXPECT_EQ(offered, c.offered);
        EXPECT_EQ(list->isVisibleTo(&dialog), c.offered.size() > 1);
        if (c.choice >= 0) {
            EXPECT_NE(dialog.result(), QDialog::Accepted);
            const int requests = server.Requests().size();
            list->setCurrentRow(c.choice);
            Child<QPushButton>(dialog, "cmdOK")->click();
            EXPECT_EQ(server.Requests().size(), requests)
                << "what was found is not looked up again";
        }
        EXPECT_EQ(dialog.result() == QDialog::Accepted, c.message.isEmpty());
        EXPECT_EQ(Local(dialog.Address()), c.address);
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
