#include "platform/XmlSerializer.h"

#include "platform/XmlDocument.h"

#include <libxml/tree.h>

#include <gtest/gtest.h>

namespace {

const xmlChar* Chars(const char* text) {
    return reinterpret_cast<const xmlChar*>(text);
}

// An element built directly with libxml2, for nodes XmlDocument cannot make.
class XmlSerializerBuilt : public ::testing::Test {
protected:
    xmlNode* Element() { return m_element.Handle(); }
    QByteArray Written() const { return m_document.ToBytes(); }

    XmlDocument m_document;
    XmlNode m_element = m_document.AppendChild(m_document.CreateElement(QStringLiteral("r")));
};

} // namespace

TEST_F(XmlSerializerBuilt, EscapesMarkupInTextAndAttributes) {
    m_element.SetText(QStringLiteral("a < b & c > d \"q\" 'p'\r\n"));
    m_element.SetAttribute(QStringLiteral("a"), QStringLiteral("<&\"'>\t\n\r"));
    EXPECT_EQ(Written(), QByteArray("<r a=\"&lt;&amp;&quot;'>&#9;&#10;&#13;\">"
                                    "a &lt; b &amp; c &gt; d \"q\" 'p'&#13;\n</r>"));
}

TEST_F(XmlSerializerBuilt, LeavesOutCharactersXmlCannotCarry) {
    m_element.SetText(QStringLiteral("a\x01"
                                     "b\x1f"
                                     "c\td"));
    m_element.SetAttribute(QStringLiteral("v"), QStringLiteral("\x02x"));
    xmlAddChild(Element(), xmlNewCDataBlock(Element()->doc, Chars("\x0b]]>"), 4));
    const QByteArray written = Written();
    EXPECT_EQ(written, QByteArray("<r v=\"x\">abc\td<![CDATA[]]]]><![CDATA[>]]></r>"));
    XmlDocument reloaded;
    EXPECT_TRUE(reloaded.LoadXML(written));
}

TEST_F(XmlSerializerBuilt, SplitsTheEndOfACdataSectionAndWritesAnEmptyInstruction) {
    xmlAddChild(Element(), xmlNewCDataBlock(Element()->doc, Chars("a]]>b]]>"), 8));
    xmlAddChild(Element(), xmlNewDocPI(Element()->doc, Chars("go"), nullptr));
    const QByteArray written = Written();
    EXPECT_EQ(written, QByteArray("<r><![CDATA[a]]]]><![CDATA[>b]]]]><![CDATA[>]]><?go?></r>"));
    XmlDocument reloaded;
    ASSERT_TRUE(reloaded.LoadXML(written));
    EXPECT_EQ(reloaded.DocumentElement().Text(), QStringLiteral("a]]>b]]>"));
}

TEST_F(XmlSerializerBuilt, DeepTreesDoNotGrowTheStack) {
    constexpr int Depth = 200000;
    xmlNode* parent = Element();
    for (int i = 0; i < Depth; ++i)
        parent = xmlNewChild(parent, nullptr, Chars("a"), nullptr);
    EXPECT_EQ(Written(), "<r>" + QByteArray("<a>").repeated(Depth - 1) + "<a/>" +
                             QByteArray("</a>").repeated(Depth - 1) + "</r>");

    // A null node writes nothing.
    EXPECT_EQ(XmlSerializer::Serialize(nullptr), QByteArray());
}
