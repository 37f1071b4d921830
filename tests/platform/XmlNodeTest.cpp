#include "platform/XmlDocument.h"

#include "support/TestData.h"

#include <QUrl>

#include <gtest/gtest.h>

namespace {

const char* const Bases = "<feed xml:base='/journal/'>"
                          "<entry xml:base='https://x/y/'><link xml:base='z/'/></entry>"
                          "<entry xml:base='../up/'><link/></entry>"
                          "<entry xml:base=''><link/></entry>"
                          "<entry><link xml:base='http://x/?q=1'>text</link></entry>"
                          "</feed>";

} // namespace

// The nearest xml:base counts, resolved against those further out and then
// against the document's address.
TEST(XmlNodeBaseURI, NearestXmlBaseResolvedOutwardsThenAgainstTheAddress) {
    const struct {
        const char* xpath;
        const char* withAddress;
        const char* withoutAddress;
    } cases[] = {
        {"/feed", "http://example.org/journal/", "/journal/"},
        {"/feed/entry[1]/link", "https://x/y/z/", "https://x/y/z/"},
        {"/feed/entry[2]/link", "http://example.org/up/", "/up/"},
        {"/feed/entry[3]/link", "http://example.org/journal/", "/journal/"},
        {"/feed/entry[4]/link/text()", "http://x/?q=1", "http://x/?q=1"},
    };
    XmlDocument addressed;
    ASSERT_TRUE(addressed.LoadXML(Bases, XmlDocument::Malformed::Refuse,
                                  QUrl(QStringLiteral("http://example.org/feeds/a.xml"))));
    XmlDocument unaddressed;
    ASSERT_TRUE(unaddressed.LoadXML(Bases));
    for (const auto& c : cases) {
        EXPECT_EQ(addressed.SelectSingleNode(c.xpath).BaseURI(), c.withAddress) << c.xpath;
        EXPECT_EQ(unaddressed.SelectSingleNode(c.xpath).BaseURI(), c.withoutAddress) << c.xpath;
    }

    // A document without any base has none; a loaded file's address is its path.
    XmlDocument document;
    ASSERT_TRUE(document.LoadXML("<rss><channel/></rss>"));
    EXPECT_EQ(document.SelectSingleNode("/rss/channel").BaseURI(), "");
    EXPECT_EQ(XmlNode().BaseURI(), "");
    // A loaded file's address is its path.
    XmlDocument file;
    const QString path = TestData::Path(QStringLiteral("feeds/rss/rss20.xml"));
    ASSERT_TRUE(file.Load(path));
    EXPECT_EQ(file.DocumentElement().BaseURI(), path);
}

// Markup as a saved document writes it, for readers that hand inline XHTML
// on as HTML.
TEST(XmlNodeXml, WritesTheNodeAndItsDescendants) {
    XmlDocument document;
    ASSERT_TRUE(document.LoadXML("<content><div xmlns='http://www.w3.org/1999/xhtml'>"
                                 "<p class='a'>Fish &amp; chips &lt;3</p><br/>tail</div>"
                                 "<x:div xmlns:x='urn:x'><x:p>prefixed</x:p></x:div></content>"));
    const QList<XmlNode> xhtml = document.SelectSingleNode("/content/*[1]").ChildNodes();
    ASSERT_EQ(xhtml.size(), 3);
    EXPECT_EQ(xhtml[0].Xml(), "<p class=\"a\">Fish &amp; chips &lt;3</p>");
    EXPECT_EQ(xhtml[1].Xml(), "<br/>");
    EXPECT_EQ(xhtml[2].Xml(), "tail");
    EXPECT_EQ(document.SelectSingleNode("/content/*[2]/*").Xml(), "<x:p>prefixed</x:p>");
    EXPECT_EQ(XmlNode().Xml(), "");
}
