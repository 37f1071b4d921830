#include "model/CategoryCollection.h"
#include "platform/ProgramError.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

QStringList Names(const CategoryCollection& categories) {
    QStringList names;
    for (const auto& category : categories)
        names.append(category->CategoryName);
    return names;
}

CategoryCollection Of(const QStringList& paths) {
    CategoryCollection categories;
    for (const QString& path : paths)
        categories.Add(path, true, false);
    return categories;
}

} // namespace

TEST(CategoryCollectionTest, EnsureCategoryCreatesTheChildThenTheMissingAncestors) {
    CategoryCollection categories;
    categories.EnsureCategory("A/B/C", false, true);
    EXPECT_EQ(Names(categories), QStringList({"A/B/C", "A/B", "A"}));
    for (const auto& category : categories) {
        EXPECT_FALSE(category->Active);
        EXPECT_TRUE(category->UserDefined);
    }
    categories.EnsureCategory("a/b/c", true, false);
    EXPECT_EQ(categories.Count(), 3);
    EXPECT_FALSE(categories.Item(1)->Active); // existing ones are left alone

    CategoryCollection withParent = Of({"A"});
    withParent.EnsureCategory("A/B/C", true, false);
    EXPECT_EQ(Names(withParent), QStringList({"A", "A/B/C", "A/B"}));
}

TEST(CategoryCollectionTest, PositionsOutsideTheCollectionThrow) {
    CategoryCollection categories = Of({"A"});
    EXPECT_THROW(categories.Item(0), ProgramError);
    EXPECT_THROW(categories.Item(-1), ProgramError);
    EXPECT_THROW(categories.Item(2), ProgramError);
    EXPECT_THROW(categories.Remove(2), ProgramError);
    EXPECT_THROW(categories.SortByName(1, 2), ProgramError);
    EXPECT_THROW(categories.SortByName(0, 2), ProgramError);
}

TEST(CategoryCollectionTest, SortPutsParentsBeforeChildrenIgnoringCase) {
    for (const QStringList& row : TestData::Table("tables/category_sort.tsv")) {
        CategoryCollection categories = Of(row[0].split(u'|'));
        categories.SortByName(row[1].toLongLong(), row[2].toLongLong());
        EXPECT_EQ(Names(categories), row[3].split(u'|')) << row[0].toStdString();
    }
}

TEST(CategoryCollectionTest, VisibilityFollowsInactiveAncestorsAndAMissingParentCountsAsVisible) {
    const QList<QStringList> rows = TestData::Table("tables/category_visibility.tsv");
    CategoryCollection categories;
    for (const QStringList& row : rows)
        categories.Add(row[0], row[1] == u"true", false);
    categories.ComputeVisibility();
    for (qsizetype i = 1; i <= categories.Count(); ++i)
        EXPECT_EQ(categories.Item(i)->Visible, rows[i - 1][2] == u"true")
            << rows[i - 1][0].toStdString();
}

TEST(CategoryCollectionTest, ProviderCountsCountDirectAndDescendantProviders) {
    using Counts = QList<std::pair<qsizetype, qsizetype>>;
    CategoryCollection categories = Of({"A", "A/B", "A/B/C", "D"});
    const auto counts = [&categories] {
        Counts all;
        for (const auto& category : categories)
            all.append({category->ProviderCount, category->DescendantProviderCount});
        return all;
    };
    for (const QString& path :
         {QString("a/b"), QString("A/B/C"), QString("Unknown/Path"), QString()})
        categories.UpdateProviderCounts(path);
    EXPECT_EQ(counts(), (Counts{{0, 2}, {1, 1}, {1, 0}, {0, 0}}));
    categories.ResetProviderCounts();
    EXPECT_EQ(counts(), (Counts{{0, 0}, {0, 0}, {0, 0}, {0, 0}}));
}

TEST(CategoryCollectionTest, LookupsIgnoreLetterCaseAndFollowNamesChangedInPlace) {
    // Lookups ignore letter case and find the first; a parent is found by
    // the path up to its last "/".
    CategoryCollection categories = Of({"News", "Sports", "NEWS"});
    EXPECT_EQ(categories.LocateCategory("news"), 1);
    EXPECT_EQ(categories.LocateCategory("New"), -1);
    EXPECT_EQ(categories.LocateCategory(QString()), -1);
    EXPECT_EQ(categories.LocateParentCategory("NEWS/World"), 1);
    EXPECT_EQ(categories.LocateParentCategory("Sports/Darts/Rules"), -1);
    categories.Item(1)->CategoryName = "Old News";
    EXPECT_EQ(categories.LocateCategory("news"), 3);
    EXPECT_EQ(categories.LocateCategory("old news"), 1);
    categories.Item(2)->CategoryName = "Games";
    EXPECT_EQ(categories.LocateCategory("Sports"), -1);
    EXPECT_EQ(categories.LocateCategory("GAMES"), 2);
    categories.Add("games", true, false);
    EXPECT_EQ(categories.LocateCategory("games"), 2);
    categories.Remove(1);
    EXPECT_EQ(Names(categories), QStringList({"Games", "NEWS", "games"}));
    EXPECT_EQ(categories.LocateCategory("games"), 1);
}
