#include "model/Category.h"
#include "platform/XmlDocument.h"

#include <gtest/gtest.h>

namespace {

// Serialises a category element the way the providers file lays it out.
QByteArray Written(const Category& category) {
    XmlDocument document;
    XmlNode element = document.AppendChild(category.AsXML(document, QStringLiteral("    ")));
    element.AppendChild(document.CreateTextNode(QStringLiteral("  ")));
    return document.ToBytes();
}

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

TEST(CategoryTest, PartialCategoryName) {
    Category category;
    category.CategoryName = QStringLiteral("Computers/Linux");
    EXPECT_EQ(category.PartialCategoryName(), QStringLiteral("Linux"));
    category.CategoryName = QStringLiteral("News");
    EXPECT_EQ(category.PartialCategoryName(), QStringLiteral("News"));
    EXPECT_EQ(Category::ParentCategoryName(QStringLiteral("A/B/C")), QStringLiteral("A/B"));
    EXPECT_EQ(Category::ParentCategoryName(QStringLiteral("A")), QString());
}

TEST(CategoryTest, NamesWithSlashesAreNotValidComponents) {
    EXPECT_TRUE(Category::IsValidPartialName(QStringLiteral("Linux")));
    EXPECT_FALSE(Category::IsValidPartialName(QStringLiteral("a/b")));
    EXPECT_FALSE(Category::IsValidPartialName(QString()));
}

TEST(CategoryTest, ActiveBuiltInCategoryWritesOnlyItsName) {
    Category category;
    category.CategoryName = QStringLiteral("News & <Views>");
    EXPECT_EQ(Written(category),
              QByteArray("<category>\r\n"
                         "    <categoryname>News &amp; &lt;Views&gt;</categoryname>\r\n"
                         "  </category>"));
}

TEST(CategoryTest, InactiveUserDefinedCategoryWritesBothFlags) {
    Category category;
    category.CategoryName = QStringLiteral("Mine");
    category.Active = false;
    category.UserDefined = true;
    EXPECT_EQ(Written(category), QByteArray("<category>\r\n"
                                            "    <categoryname>Mine</categoryname>\r\n"
                                            "    <active>False</active>\r\n"
                                            "    <userdefined>True</userdefined>\r\n"
                                            "  </category>"));
}

TEST(CategoryTest, ReadingStartsFromTheDefaults) {
    const Category category =
        Read("<category>\r\n  <categoryname>Computers/Linux</categoryname>\r\n</category>");
    EXPECT_EQ(category.CategoryName, QStringLiteral("Computers/Linux"));
    EXPECT_TRUE(category.Active);
    EXPECT_FALSE(category.UserDefined);
    EXPECT_FALSE(category.Visible);
    EXPECT_EQ(category.ProviderCount, 0);
}

TEST(CategoryTest, ReadsFlagsInAnyLetterCaseAndAsNumbers) {
    const Category category =
        Read("<category><categoryname>A</categoryname>"
             "<active>FALSE</active><userdefined>-1</userdefined></category>");
    EXPECT_FALSE(category.Active);
    EXPECT_TRUE(category.UserDefined);
}

TEST(CategoryTest, TagNamesMatchExactlyAndOtherNodesAreSkipped) {
    const Category category = Read("<category><!-- note --><CategoryName>X</CategoryName>"
                                   "<categoryname>A</categoryname><?pi x?><extra>1</extra>"
                                   "<Active>False</Active></category>");
    EXPECT_EQ(category.CategoryName, QStringLiteral("A"));
    EXPECT_TRUE(category.Active);
}

TEST(CategoryTest, AnUnreadableFlagKeepsItsDefaultAndTheRestIsRead) {
    bool clean = true;
    const Category category = Read("<category><active>maybe</active>"
                                   "<categoryname>A</categoryname>"
                                   "<userdefined>True</userdefined></category>",
                                   &clean);
    EXPECT_FALSE(clean);
    EXPECT_TRUE(category.Active);
    EXPECT_EQ(category.CategoryName, QStringLiteral("A"));
    EXPECT_TRUE(category.UserDefined);
}

TEST(CategoryTest, WrittenElementReadsBack) {
    Category original;
    original.CategoryName = QStringLiteral("Welt/Nachrichten äöü");
    original.Active = false;
    original.UserDefined = true;
    const Category copy = Read(Written(original));
    EXPECT_EQ(copy.CategoryName, original.CategoryName);
    EXPECT_EQ(copy.Active, original.Active);
    EXPECT_EQ(copy.UserDefined, original.UserDefined);
}
