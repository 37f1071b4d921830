#include "ui/Startup.h"
#include "model/CategoryCollection.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <memory>

#include <gtest/gtest.h>

namespace {

class StartupTest : public ::testing::Test {
protected:
    StartupTest() {
        // A child listed before its parent, as EnsureCategory leaves them.
        categories.EnsureCategory(QStringLiteral("News/World"), true, false);
        categories.Add(QStringLiteral("News/Local"), true, false);
        categories.Add(QStringLiteral("News/World/Europe"), true, false);
        categories.Add(QStringLiteral("Sports"), true, false);
        window = std::make_unique<Startup>(categories);
        tree = window->findChild<QTreeWidget*>(QStringLiteral("tvCategories"));
    }

    // The node of a path's last name: every name is unique here.
    QTreeWidgetItem* Node(const char* path) const {
        const QString name = QString::fromUtf8(path).section(u'/', -1);
        return tree->findItems(name, Qt::MatchExactly | Qt::MatchRecursive).value(0);
    }

    bool Checked(const char* path) const { return Node(path)->checkState(0) == Qt::Checked; }
    void SetChecked(const char* path, bool checked) const {
        Node(path)->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
    }

    const Category& CategoryAt(const char* path) const {
        return *categories.Item(categories.LocateCategory(QString::fromUtf8(path)));
    }

    void ClickOK() const {
        window->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    }

    CategoryCollection categories;
    std::unique_ptr<Startup> window;
    QTreeWidget* tree = nullptr;
};

TEST_F(StartupTest, EveryCategoryIsANestedCheckedNode) {
    ASSERT_NE(tree, nullptr);
    int count = 0;
    for (QTreeWidgetItemIterator it(tree); *it; ++it, ++count)
        EXPECT_EQ((*it)->checkState(0), Qt::Checked) << (*it)->text(0).toStdString();
    EXPECT_EQ(count, categories.Count());
    EXPECT_EQ(tree->topLevelItemCount(), 2);
    ASSERT_NE(Node("Europe"), nullptr);
    EXPECT_EQ(Node("Europe")->parent(), Node("World"));
    EXPECT_EQ(Node("World")->parent(), Node("News"));
}

TEST_F(StartupTest, CheckingANodeChecksItsDescendantsAndAncestorsButNotTheirOtherChildren) {
    SetChecked("News/World", false);
    EXPECT_FALSE(Checked("News/World/Europe"));
    EXPECT_TRUE(Checked("News"));
    EXPECT_TRUE(Checked("News/Local"));

    SetChecked("News", false);
    EXPECT_FALSE(Checked("News/Local"));
    SetChecked("News", true);
    EXPECT_TRUE(Checked("News/World/Europe"));

    SetChecked("News", false);
    SetChecked("News/World/Europe", true);
    EXPECT_TRUE(Checked("News/World"));
    EXPECT_TRUE(Checked("News"));
    EXPECT_FALSE(Checked("News/Local"));
}

TEST_F(StartupTest, OKMakesTheChoiceTheActiveFlagsAndVisibility) {
    // Visibility has not been derived yet, so every Visible seen true below
    // was computed by OK; parents first, as start-up has sorted them.
    ASSERT_FALSE(CategoryAt("News/Local").Visible);
    categories.SortByName(1, categories.Count());
    SetChecked("News/World", false);
    SetChecked("Sports", false);
    ClickOK();

    EXPECT_EQ(window->result(), QDialog::Accepted);
    EXPECT_TRUE(CategoryAt("News").Active);
    EXPECT_TRUE(CategoryAt("News/Local").Visible);
    EXPECT_FALSE(CategoryAt("News/World").Active);
    EXPECT_FALSE(CategoryAt("News/World/Europe").Active);
    EXPECT_FALSE(CategoryAt("News/World/Europe").Visible);
    EXPECT_FALSE(CategoryAt("Sports").Visible);
}

} // namespace
