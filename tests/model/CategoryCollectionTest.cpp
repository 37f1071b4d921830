#include "model/CategoryCollection.h"
#include "platform/ProgramError.h"
#include "platform/XmlDocument.h"

#include <gtest/gtest.h>

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

TEST(CategoryCollectionTest, EnsureCategoryCreatesChildFirstThenAncestors) {
    CategoryCollection categories;
    categories.EnsureCategory(QStringLiteral("A/B/C"), false, true);
    EXPECT_EQ(Names(categories),
              QStringList({QStringLiteral("A/B/C"), QStringLiteral("A/B"), QStringLiteral("A")}));
    for (const auto& category : categories) {
        EXPECT_FALSE(category->Active);
        EXPECT_TRUE(category->UserDefined);
    }
    categories.EnsureCategory(QStringLiteral("a/b/c"), true, false);
    EXPECT_EQ(categories.Count(), 3);
    EXPECT_FALSE(categories.Item(1)->Active); // existing ones are left alone
}

TEST(CategoryCollectionTest, EnsureCategoryAddsOnlyMissingAncestors) {
    CategoryCollection categories = Of({QStringLiteral("A")});
    categories.EnsureCategory(QStringLiteral("A/B/C"), true, false);
    EXPECT_EQ(Names(categories),
              QStringList({QStringLiteral("A"), QStringLiteral("A/B/C"), QStringLiteral("A/B")}));
}

TEST(CategoryCollectionTest, LocateIgnoresLetterCaseAndFindsTheFirst) {
    CategoryCollection categories = Of({QStringLiteral("News"), QStringLiteral("Computers/Linux"),
                                        QStringLiteral("computers/LINUX")});
    EXPECT_EQ(categories.LocateCategory(QStringLiteral("computers/linux")), 2);
    EXPECT_EQ(categories.LocateCategory(QStringLiteral("Computers")), -1);
    EXPECT_EQ(categories.LocateCategory(QString()), -1);
    EXPECT_EQ(categories.LocateParentCategory(QStringLiteral("NEWS/World")), 1);
    EXPECT_EQ(categories.LocateParentCategory(QStringLiteral("Computers/Linux")), -1);
}

TEST(CategoryCollectionTest, PositionsOutsideTheCollectionThrow) {
    CategoryCollection categories = Of({QStringLiteral("A")});
    EXPECT_THROW(categories.Item(0), ProgramError);
    EXPECT_THROW(categories.Item(-1), ProgramError);
    EXPECT_THROW(categories.Item(2), ProgramError);
    EXPECT_THROW(categories.Remove(2), ProgramError);
    EXPECT_THROW(categories.SortByName(1, 2), ProgramError);
    EXPECT_THROW(categories.SortByName(0, 2), ProgramError);
}

TEST(CategoryCollectionTest, RemoveMovesLaterCategoriesUp) {
    CategoryCollection categories =
        Of({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")});
    categories.Remove(1);
    EXPECT_EQ(Names(categories), QStringList({QStringLiteral("B"), QStringLiteral("C")}));
}

TEST(CategoryCollectionTest, SortPutsParentsBeforeChildrenIgnoringCase) {
    CategoryCollection categories =
        Of({QStringLiteral("b/x"), QStringLiteral("A/B"), QStringLiteral("a"), QStringLiteral("B"),
            QStringLiteral("A B")});
    categories.SortByName(1, categories.Count());
    // " " (32) sorts before "/" (47): "A B" comes between "A" and "A/B".
    EXPECT_EQ(Names(categories),
              QStringList({QStringLiteral("a"), QStringLiteral("A B"), QStringLiteral("A/B"),
                           QStringLiteral("B"), QStringLiteral("b/x")}));
}

TEST(CategoryCollectionTest, SortOfARangeLeavesTheRestAlone) {
    CategoryCollection categories =
        Of({QStringLiteral("Z"), QStringLiteral("C"), QStringLiteral("B"), QStringLiteral("A")});
    categories.SortByName(2, 2);
    EXPECT_EQ(Names(categories), QStringList({QStringLiteral("Z"), QStringLiteral("B"),
                                              QStringLiteral("C"), QStringLiteral("A")}));
}

TEST(CategoryCollectionTest, SortKeepsPathsEqualInCaseInTheirOrder) {
    CategoryCollection categories = Of(
        {QStringLiteral("b"), QStringLiteral("News"), QStringLiteral("NEWS"), QStringLiteral("a")});
    categories.SortByName(1, 4);
    EXPECT_EQ(Names(categories), QStringList({QStringLiteral("a"), QStringLiteral("b"),
                                              QStringLiteral("News"), QStringLiteral("NEWS")}));
}

TEST(CategoryCollectionTest, VisibilityFollowsInactiveAncestors) {
    CategoryCollection categories;
    categories.Add(QStringLiteral("A"), false, false);
    categories.Add(QStringLiteral("A/B"), true, false);
    categories.Add(QStringLiteral("A/B/C"), true, false);
    categories.Add(QStringLiteral("D"), true, false);
    categories.Add(QStringLiteral("D/E"), false, false);
    categories.ComputeVisibility();
    EXPECT_FALSE(categories.Item(1)->Visible);
    EXPECT_FALSE(categories.Item(2)->Visible);
    EXPECT_FALSE(categories.Item(3)->Visible);
    EXPECT_TRUE(categories.Item(4)->Visible);
    EXPECT_FALSE(categories.Item(5)->Visible);
}

TEST(CategoryCollectionTest, MissingParentCountsAsVisible) {
    CategoryCollection categories;
    categories.Add(QStringLiteral("Orphan/Child"), true, false);
    categories.Add(QStringLiteral("Gone/Inactive"), false, false);
    ASSERT_NO_THROW(categories.ComputeVisibility());
    EXPECT_TRUE(categories.Item(1)->Visible);
    EXPECT_FALSE(categories.Item(2)->Visible);
}

TEST(CategoryCollectionTest, ProviderCounts) {
    CategoryCollection categories = Of(
        {QStringLiteral("A"), QStringLiteral("A/B"), QStringLiteral("A/B/C"), QStringLiteral("D")});
    categories.UpdateProviderCounts(QStringLiteral("a/b"));
    categories.UpdateProviderCounts(QStringLiteral("A/B/C"));
    categories.UpdateProviderCounts(QStringLiteral("Unknown/Path"));
    categories.UpdateProviderCounts(QString());
    EXPECT_EQ(categories.Item(1)->ProviderCount, 0);
    EXPECT_EQ(categories.Item(1)->DescendantProviderCount, 2);
    EXPECT_EQ(categories.Item(2)->ProviderCount, 1);
    EXPECT_EQ(categories.Item(2)->DescendantProviderCount, 1);
    EXPECT_EQ(categories.Item(3)->ProviderCount, 1);
    EXPECT_EQ(categories.Item(3)->DescendantProviderCount, 0);
    EXPECT_EQ(categories.Item(4)->ProviderCount, 0);

    categories.ResetProviderCounts();
    for (const auto& category : categories) {
        EXPECT_EQ(category->ProviderCount, 0);
        EXPECT_EQ(category->DescendantProviderCount, 0);
    }
}

TEST(CategoryCollectionTest, AddFromXMLReportsUnreadableValues) {
    XmlDocument document;
    ASSERT_TRUE(document.LoadXML("<c><category><categoryname>A</categoryname></category>"
                                 "<category><categoryname>B</categoryname>"
                                 "<active>nope</active></category></c>"));
    const QList<XmlNode> elements = document.DocumentElement().ChildNodes();
    CategoryCollection categories;
    bool clean = false;
    categories.AddFromXML(elements[0], &clean);
    EXPECT_TRUE(clean);
    categories.AddFromXML(elements[1], &clean);
    EXPECT_FALSE(clean);
    EXPECT_EQ(Names(categories), QStringList({QStringLiteral("A"), QStringLiteral("B")}));
    EXPECT_TRUE(categories.Item(2)->Active);
}

TEST(CategoryCollectionTest, LookupsFollowNamesChangedInPlace) {
    CategoryCollection categories =
        Of({QStringLiteral("News"), QStringLiteral("Sports"), QStringLiteral("NEWS")});
    EXPECT_EQ(categories.LocateCategory(QStringLiteral("news")), 1);
    categories.Item(1)->CategoryName = QStringLiteral("Old News");
    EXPECT_EQ(categories.LocateCategory(QStringLiteral("news")), 3);
    EXPECT_EQ(categories.LocateCategory(QStringLiteral("old news")), 1);
    categories.Item(2)->CategoryName = QStringLiteral("Games");
    EXPECT_EQ(categories.LocateCategory(QStringLiteral("Sports")), -1);
    EXPECT_EQ(categories.LocateCategory(QStringLiteral("GAMES")), 2);
    categories.Add(QStringLiteral("games"), true, false);
    EXPECT_EQ(categories.LocateCategory(QStringLiteral("games")), 2);
    categories.Remove(1);
    EXPECT_EQ(categories.LocateCategory(QStringLiteral("games")), 1);
}
