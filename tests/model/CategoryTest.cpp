// How a category element is read and written is shown by the providers files
// under data/providers beside their expected reports.
#include "model/Category.h"
#include "platform/XmlDocument.h"

#include <gtest/gtest.h>

TEST(CategoryTest, PathSplitsIntoTheParentAndTheLastComponent) {
    Category category;
    category.CategoryName = "Computers/Linux";
    EXPECT_EQ(category.PartialCategoryName(), "Linux");
    category.CategoryName = "News";
    EXPECT_EQ(category.PartialCategoryName(), "News");
    EXPECT_EQ(Category::ParentCategoryName("A/B/C"), "A/B");
    EXPECT_EQ(Category::ParentCategoryName("A"), QString());
    EXPECT_TRUE(Category::IsValidPartialName("Linux"));
    EXPECT_FALSE(Category::IsValidPartialName("a/b"));
    EXPECT_FALSE(Category::IsValidPartialName(QString()));
}

// Read over a category of a live tree, whose derived fields are set.
TEST(CategoryTest, ReadingStartsFromTheDefaults) {
    XmlDocument document;
    ASSERT_TRUE(document.LoadXML("<category><categoryname>A</categoryname></category>"));
    Category category;
    category.Active = false;
    category.UserDefined = true;
    category.Visible = true;
    category.ProviderCount = 3;
    EXPECT_TRUE(category.FromXML(document.DocumentElement()));
    EXPECT_EQ(category.CategoryName, "A");
    EXPECT_TRUE(category.Active);
    EXPECT_FALSE(category.UserDefined);
    EXPECT_FALSE(category.Visible);
    EXPECT_EQ(category.ProviderCount, 0);
}
