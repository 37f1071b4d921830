#include "ui/AddFeedDialog.h"

#include "model/CategoryCollection.h"
#include "ui/CategoryPathTree.h"

#include <QLabel>
#include <QLineEdit>
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

    CategoryCollection categories;
};

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
        {"  https://127.0.0.1/feed.xml ", true, ""},
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
    PressOk(dialog, QStringLiteral("http://127.0.0.1/feed"));
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

} // namespace
