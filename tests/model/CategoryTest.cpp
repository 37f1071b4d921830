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

    // Read over a category of a live tree, whose derived fields are set: reading starts from the
    // defaults.
    XmlDocument document;
    ASSERT_TRUE(document.LoadXML("<category><categoryname>A</categoryname></category>"));
    Category read;
    read.Active = false;
    read.UserDefined = true;
    read.Visible = true;
    read.ProviderCount = 3;
    EXPECT_TRUE(read.FromXML(document.DocumentElement()));
    EXPECT_EQ(read.CategoryName, "A");
    EXPECT_TRUE(read.Active);
    EXPECT_FALSE(read.UserDefined);
    EXPECT_FALSE(read.Visible);
    EXPECT_EQ(read.ProviderCount, 0);
}
