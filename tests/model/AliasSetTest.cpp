#include "model/AliasSet.h"
#include "platform/XmlDocument.h"

#include <gtest/gtest.h>

namespace {

// Reads the root element of `xml` into a set owned the way the collection
// owns its sets.
std::shared_ptr<AliasSet> Read(const QByteArray& xml, bool* read = nullptr) {
    XmlDocument document;
    EXPECT_TRUE(document.LoadXML(xml));
    auto aliasSet = std::make_shared<AliasSet>();
    const bool result = aliasSet->FromXML(document.DocumentElement());
    if (read)
        *read = result;
    return aliasSet;
}

} // namespace

TEST(AliasSetTest, FromXMLReadsTheTextOfEachChildElementInOrder) {
    bool read = false;
    const auto aliasSet = Read("<set><url>http://b.example/</url>"
                               "<!-- a comment --><?pi data?>stray text"
                               "<anything>\n  http://a.example/?x=1&amp;y=2 \t</anything>"
                               "<u><![CDATA[http://c.example/?q=<1>]]></u></set>",
                               &read);
    EXPECT_TRUE(read);
    EXPECT_EQ(aliasSet->URLs(), QStringList({"http://b.example/", "http://a.example/?x=1&y=2",
                                             "http://c.example/?q=<1>"}));
}

TEST(AliasSetTest, FromXMLFailsWhenTheElementNamesNoURL) {
    for (const char* xml : {"<set/>", "<set> <!-- none --> </set>", "<set>text only</set>",
                            "<set><url/><url>  </url></set>"}) {
        bool read = true;
        EXPECT_TRUE(Read(xml, &read)->URLs().isEmpty()) << xml;
        EXPECT_FALSE(read) << xml;
    }
}

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
}

TEST(AliasSetTest, IncludesURLMatchesExactly) {
    const auto aliasSet = Read("<set><u>http://Example.com/Feed</u><u>http://b/</u></set>");
    EXPECT_TRUE(aliasSet->IncludesURL("http://Example.com/Feed"));
    EXPECT_TRUE(aliasSet->IncludesURL("http://b/"));
    EXPECT_FALSE(aliasSet->IncludesURL("http://example.com/feed"));
    EXPECT_FALSE(aliasSet->IncludesURL("http://b"));
    EXPECT_FALSE(aliasSet->IncludesURL(QString()));
}

TEST(AliasSetTest, StashURLsLeavesClaimedURLsToTheFirstSetAndEntersTheRest) {
    const auto first = Read("<set><u>a</u><u>b</u></set>");
    const auto second = Read("<set><u>b</u><u>c</u><u>c</u></set>");
    AliasURLIndex index;
    first->StashURLs(index);
    second->StashURLs(index);
    EXPECT_EQ(index.size(), 3);
    EXPECT_EQ(index.value("a"), first);
    EXPECT_EQ(index.value("b"), first);
    EXPECT_EQ(index.value("c"), second);
    EXPECT_TRUE(second->IncludesURL("b"));
}
