#include "platform/XmlDocument.h"

#include <gtest/gtest.h>

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
