#include "model/Category.h"
#include "platform/XmlDocument.h"

#include <gtest/gtest.h>

namespace {

Category Named(const QString& name, bool active = true, bool userDefined = false) {
    Category category;
    category.CategoryName = name;
    category.Active = active;
    category.UserDefined = userDefined;
    return category;
}

// Serialises a category element the way the providers file lays it out.
QByteArray Written(const Category& category) {
    XmlDocument document;
    XmlNode element = document.AppendChild(category.AsXML(document, "    "));
    element.AppendChild(document.CreateTextNode("  "));
    return document.ToBytes();
}

// Reads over a category whose derived fields are set, as in a live tree.
Category Read(const QByteArray& xml, bool* clean = nullptr) {
    XmlDocument document;
    EXPECT_TRUE(document.LoadXML(xml)) << document.LastParseError().Reason.toStdString();
    Category category;
    category.Visible = true;
    category.ProviderCount = 3;
    const bool read = category.FromXML(document.DocumentElement());
    if (clean)
        *clean = read;
    return category;
}

} // namespace

TEST(CategoryTest, PathSplitsIntoTheParentAndTheLastComponent) {
    EXPECT_EQ(Named("Computers/Linux").PartialCategoryName(), "Linux");
    EXPECT_EQ(Named("News").PartialCategoryName(), "News");
    EXPECT_EQ(Category::ParentCategoryName("A/B/C"), "A/B");
    EXPECT_EQ(Category::ParentCategoryName("A"), QString());
    EXPECT_TRUE(Category::IsValidPartialName("Linux"));
    EXPECT_FALSE(Category::IsValidPartialName("a/b"));
    EXPECT_FALSE(Category::IsValidPartialName(QString()));
}

TEST(CategoryTest, WritesTheFlagsOnlyWhenNotAtTheirDefaults) {
    EXPECT_EQ(Written(Named("News & <Views>")),
              QByteArray("<category>\r\n"
                         "    <categoryname>News &amp; &lt;Views&gt;</categoryname>\r\n"
                         "  </category>"));
    EXPECT_EQ(Written(Named("Mine", false, true)),
              QByteArray("<category>\r\n"
                         "    <categoryname>Mine</categoryname>\r\n"
                         "    <active>False</active>\r\n"
                         "    <userdefined>True</userdefined>\r\n"
                         "  </category>"));
}

TEST(CategoryTest, ReadingStartsFromTheDefaults) {
    const Category category =
        Read("<category>\r\n  <categoryname>Computers/Linux</categoryname>\r\n</category>");
    EXPECT_EQ(category.CategoryName, "Computers/Linux");
    EXPECT_TRUE(category.Active);
    EXPECT_FALSE(category.UserDefined);
    EXPECT_FALSE(category.Visible);
    EXPECT_EQ(category.ProviderCount, 0);
}

TEST(CategoryTest, ReadsFlagsInAnyLetterCaseAndAsNumbersAndTagNamesExactly) {
    Category category = Read("<category><categoryname>A</categoryname>"
                             "<active>FALSE</active><userdefined>-1</userdefined></category>");
    EXPECT_FALSE(category.Active);
    EXPECT_TRUE(category.UserDefined);

    // Other nodes, and tags in another letter case, are passed over.
    category = Read("<category><!-- note --><CategoryName>X</CategoryName>"
                    "<categoryname>A</categoryname><?pi x?><extra>1</extra>"
                    "<Active>False</Active></category>");
    EXPECT_EQ(category.CategoryName, "A");
    EXPECT_TRUE(category.Active);
}

TEST(CategoryTest, AnUnreadableFlagKeepsItsDefaultAndTheRestIsRead) {
    bool clean = true;
    const Category category = Read("<category><active>maybe</active><categoryname>A</categoryname>"
                                   "<userdefined>True</userdefined></category>",
                                   &clean);
    EXPECT_FALSE(clean);
    EXPECT_TRUE(category.Active);
    EXPECT_EQ(category.CategoryName, "A");
    EXPECT_TRUE(category.UserDefined);
}

TEST(CategoryTest, WrittenElementReadsBack) {
    const QByteArray written = Written(Named("Welt/Nachrichten äöü", false, true));
    EXPECT_EQ(Written(Read(written)), written);
}
