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

    // The tree as "Name(Child Child)", "-" after each name not checked.
    QString Outline(const QTreeWidgetItem* parent = nullptr) const {
        parent = parent != nullptr ? parent : tree->invisibleRootItem();
        QStringList parts;
        for (int i = 0; i < parent->childCount(); ++i) {
            const QTreeWidgetItem* child = parent->child(i);
            parts << child->text(0) + (child->checkState(0) == Qt::Checked ? "" : "-") +
                         (child->childCount() ? "(" + Outline(child) + ")" : QString());
        }
        return parts.join(u' ');
    }

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

// Every category is a nested node, checked at first.
TEST_F(StartupTest, CheckingANodeChecksItsDescendantsAndAncestorsButNotTheirOtherChildren) {
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(Outline(), "News(World(Europe) Local) Sports");
    SetChecked("News/World", false);
    EXPECT_EQ(Outline(), "News(World-(Europe-) Local) Sports");
    SetChecked("News", false);
    EXPECT_EQ(Outline(), "News-(World-(Europe-) Local-) Sports");
    SetChecked("News", true);
    EXPECT_EQ(Outline(), "News(World(Europe) Local) Sports");
    SetChecked("News", false);
    SetChecked("News/World/Europe", true);
    EXPECT_EQ(Outline(), "News(World(Europe) Local-) Sports");
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
