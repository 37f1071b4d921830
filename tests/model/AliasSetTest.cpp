#include "model/AliasSet.h"
#include "platform/XmlDocument.h"

#include <gtest/gtest.h>

// What a set reads from its element is shown by the files under data/aliases
// (AliasFilesTest).

namespace {

// Reads the root element of `xml` into a set owned the way the collection
// owns its sets.
std::shared_ptr<AliasSet> Read(const QByteArray& xml) {
    XmlDocument document;
    EXPECT_TRUE(document.LoadXML(xml));
    auto aliasSet = std::make_shared<AliasSet>();
    EXPECT_TRUE(aliasSet->FromXML(document.DocumentElement()));
    return aliasSet;
}

} // namespace

TEST(AliasSetTest, FromXMLStartsAfreshAndClearsIsKnown) {
    XmlDocument document;
    ASSERT_TRUE(document.LoadXML("<sets><set><u>http://a/</u></set><set><u>http://b/</u></set>"
                                 "</sets>"));
    const QList<XmlNode> elements = document.DocumentElement().ChildNodes();
    AliasSet aliasSet;
    aliasSet.IsKnown = true;
    ASSERT_TRUE(aliasSet.FromXML(elements[0]));
    EXPECT_FALSE(aliasSet.IsKnown);
    ASSERT_TRUE(aliasSet.FromXML(elements[1]));
    EXPECT_EQ(aliasSet.URLs(), QStringList({"http://b/"}));

    // Lookups match exactly.
    const auto read = Read("<set><u>http://Example.com/Feed</u><u>http://b/</u></set>");
    EXPECT_TRUE(read->IncludesURL("http://Example.com/Feed"));
    EXPECT_TRUE(read->IncludesURL("http://b/"));
    EXPECT_FALSE(read->IncludesURL("http://example.com/feed"));
    EXPECT_FALSE(read->IncludesURL("http://b"));
    EXPECT_FALSE(read->IncludesURL(QString()));
}
