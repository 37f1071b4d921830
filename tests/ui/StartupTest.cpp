// How the first run's category chooser is used is walked by the main
// window's scenario first-run-category-choice; here an order of the list
// that start-up's sort otherwise hides.
#include "ui/Startup.h"
#include "model/CategoryCollection.h"

#include <QTreeWidget>

#include <gtest/gtest.h>

// A child listed before its parent, as EnsureCategory leaves them, still
// nests under it.
TEST(StartupTest, AChildListedBeforeItsParentIsNestedUnderIt) {
    CategoryCollection categories;
    categories.EnsureCategory(QStringLiteral("News/World"), true, false);
    categories.Add(QStringLiteral("News/World/Europe"), true, false);
    const Startup window(categories);
    const auto* tree = window.findChild<QTreeWidget*>(QStringLiteral("tvCategories"));
    ASSERT_NE(tree, nullptr);
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    const QTreeWidgetItem* news = tree->topLevelItem(0);
    EXPECT_EQ(news->text(0), "News");
    ASSERT_EQ(news->childCount(), 1);
    EXPECT_EQ(news->child(0)->text(0), "World");
    EXPECT_EQ(news->child(0)->child(0)->text(0), "Europe");
}
