#include "platform/XmlSerializer.h"

#include "platform/XmlDocument.h"

#include <libxml/tree.h>

#include <gtest/gtest.h>

#include <utility>

namespace {

const xmlChar* Chars(const char* text) {
    return reinterpret_cast<const xmlChar*>(text);
}

// Loads `xml` and writes it back.
QByteArray RoundTrip(const char* xml) {
    XmlDocument document;
    EXPECT_TRUE(document.LoadXML(xml)) << document.LastParseError().Reason.toStdString();
    return document.ToBytes();
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

TEST(XmlSerializerLoaded, WritesWhatWasRead) {
    // Where the written form differs, the second text is what is written.
    const std::pair<const char*, const char*> cases[] = {
        {"<r><a/><b x=\"1\">t</b></r>", nullptr},
        {"<r><!-- c --><?pi data?><?empty?></r>", nullptr},
        {"<feed xmlns=\"urn:f\" xmlns:dc=\"urn:dc\"><dc:date dc:x=\"1\"/></feed>", nullptr},
        {"<r><![CDATA[<b>&amp;</b>]]></r>", nullptr},
        {"<r a=\"&lt;&amp;&quot;'\">&gt;&lt;&amp;\"'</r>", nullptr},
        {"<r><a></a></r>", "<r><a/></r>"},
        // A carriage return in text survives only as a reference.
        {"<r>a&#13;\nb</r>", nullptr},
    };
    for (const auto& [xml, written] : cases)
        EXPECT_EQ(RoundTrip(xml), QByteArray(written ? written : xml)) << xml;
}

TEST(XmlSerializerLoaded, WritesEntityReferencesWithTheirDeclarations) {
    const QByteArray written = RoundTrip("<!DOCTYPE r [<!ENTITY e \"E\">]><r a=\"&e;\">&e;</r>");
    EXPECT_TRUE(written.startsWith("<!DOCTYPE r [")) << written.constData();
    EXPECT_TRUE(written.contains("<!ENTITY e \"E\">"));
    EXPECT_TRUE(written.endsWith("]><r a=\"&e;\">&e;</r>")) << written.constData();
    XmlDocument reloaded;
    ASSERT_TRUE(reloaded.LoadXML(written));
    EXPECT_EQ(reloaded.DocumentElement().Text(), QStringLiteral("E"));
    EXPECT_EQ(reloaded.DocumentElement().GetAttribute(QStringLiteral("a")), QStringLiteral("E"));
}

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
}

TEST(XmlSerializer, NullNodeWritesNothing) {
    EXPECT_EQ(XmlSerializer::Serialize(nullptr), QByteArray());
}
