#include "platform/XmlSerializer.h"

#include "platform/XmlDocument.h"

#include <libxml/tree.h>

#include <gtest/gtest.h>

namespace {

const xmlChar* Chars(const char* text) {
    return reinterpret_cast<const xmlChar*>(text);
}

// An element to build under directly with libxml2. What is escaped and left
// out of text, attributes, CDATA and instructions is shown by the scenarios
// of data/cases/xml-edits.json (XmlEditTest).
class XmlSerializerBuilt : public ::testing::Test {
protected:
    xmlNode* Element() { return m_element.Handle(); }
    QByteArray Written() const { return m_document.ToBytes(); }

    XmlDocument m_document;
    XmlNode m_element = m_document.AppendChild(m_document.CreateElement(QStringLiteral("r")));
};

} // namespace

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
