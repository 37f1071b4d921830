// How documents are read, and written back, is shown by the documents under
// data/xml beside their expected readings (feeds_golden); here what a
// document alone cannot show.
#include "platform/XmlDocument.h"

#include "support/TestData.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

QList<XmlNode::Type> TypesOf(const QList<XmlNode>& nodes) {
    QList<XmlNode::Type> types;
    for (const XmlNode& node : nodes)
        types.append(node.NodeType());
    return types;
}

// A document loaded from text for each test.
class XmlDocumentFixture : public ::testing::Test {
protected:
    XmlNode Load(const char* xml) {
        EXPECT_TRUE(m_document.LoadXML(QByteArray(xml)))
            << m_document.LastParseError().Reason.toStdString();
        return m_document.DocumentElement();
    }

    XmlDocument m_document;
};

// An external DTD declaring the entity y; a document whose &y; expands has
// read it.
class SecretDtd {
public:
    SecretDtd() { TestData::Write(Path(), "<!ENTITY y \"SECRET\">"); }

    QByteArray Url() const { return "file://" + QFile::encodeName(Path()); }

private:
    QString Path() const { return m_dir.filePath("secret.dtd"); }

    QTemporaryDir m_dir;
};

} // namespace

TEST(XmlDocumentLoad, FailureDropsTheDocumentAndSuccessClearsTheError) {
    XmlDocument document;
    EXPECT_EQ(document.ReadyState(), XmlDocument::Uninitialized);
    ASSERT_TRUE(document.LoadXML("<r><a/></r>"));
    EXPECT_FALSE(document.LoadXML("<r"));
    EXPECT_EQ(document.ReadyState(), XmlDocument::Complete);
    EXPECT_TRUE(document.DocumentElement().IsNull());
    EXPECT_EQ(document.ToBytes(), QByteArray());
    EXPECT_TRUE(document.LoadXML("<r/>"));
    EXPECT_TRUE(document.LastParseError().Reason.isEmpty());
    EXPECT_EQ(document.LastParseError().Line, 0);

    const QString path = TestData::Path("xml/does-not-exist.xml");
    EXPECT_FALSE(document.Load(path));
    EXPECT_TRUE(document.LastParseError().Reason.contains("Cannot open"));
    EXPECT_TRUE(document.LastParseError().Reason.contains(path));
    EXPECT_EQ(document.ReadyState(), XmlDocument::Complete);
}

TEST(XmlDocumentLoad, MessagesStayOffTheConsole) {
    ::testing::internal::CaptureStderr();
    XmlDocument document;
    document.LoadXML("<r><a></r>");
    document.LoadXML("<!DOCTYPE r SYSTEM \"file:///nonexistent\"><r>&x;</r>");
    document.SelectSingleNode("((");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), std::string());
}

using XmlDocumentText = XmlDocumentFixture;

TEST_F(XmlDocumentText, ManyReferencesToASmallEntityAreFine) {
    const QByteArray xml = "<!DOCTYPE r [<!ENTITY c \"Copyright Example Corporation\">]><r>" +
                           QByteArray("<i>&c;</i>").repeated(5000) + "</r>";
    const XmlNode root = Load(xml.constData());
    EXPECT_EQ(root.Text().size(), 5000 * 29);
}

// Hostile documents: nothing outside the text is read, expansion and depth
// stay bounded.

TEST(XmlDocumentSecurity, OneLargeEntityReferencedOftenIsRejected) {
    // libxml2 lets this through: 20 000 references to 100 KB, 2 GB of text.
    const QByteArray entity = "<!DOCTYPE r [<!ENTITY a \"" + QByteArray(100000, 'x') + "\">]>";
    XmlDocument document;
    EXPECT_FALSE(document.LoadXML(entity + "<r>" + QByteArray("&a;").repeated(20000) + "</r>"));
    EXPECT_EQ(document.LastParseError().Reason, "Entity references expand to too much text.");
    EXPECT_EQ(document.LastParseError().Line, 1);
    EXPECT_FALSE(
        document.LoadXML(entity + "<r>" + QByteArray("<i x=\"&a;\"/>").repeated(20000) + "</r>"));
}

TEST(XmlDocumentSecurity, ExternalDtdAndParameterEntityAreNotRead) {
    const SecretDtd dtd;
    XmlDocument document;
    // Had the parameter entity been read, y would be declared.
    EXPECT_FALSE(document.LoadXML("<!DOCTYPE r [<!ENTITY % p SYSTEM \"" + dtd.Url() +
                                  "\"> %p;]><r>&y;</r>"));
    EXPECT_EQ(document.LastParseError().Reason, "Entity 'y' not defined");
    ASSERT_TRUE(document.LoadXML("<!DOCTYPE r SYSTEM \"" + dtd.Url() + "\"><r>&y;</r>"));
    EXPECT_EQ(document.DocumentElement().Text(), QString());
}

TEST(XmlDocumentSecurity, NoParseInTheProcessReadsExternalEntities) {
    const SecretDtd dtd;
    const XmlDocument initializesLibXml;
    // Even a parse that asks libxml2 to load the DTD and substitute entities.
    const QByteArray xml = "<!DOCTYPE r SYSTEM \"" + dtd.Url() + "\"><r>&y;</r>";
    const std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)> doc(
        xmlReadMemory(xml.constData(), static_cast<int>(xml.size()), nullptr, nullptr,
                      XML_PARSE_DTDLOAD | XML_PARSE_NOENT | XML_PARSE_RECOVER),
        xmlFreeDoc);
    ASSERT_NE(doc, nullptr);
    xmlChar* text = xmlNodeGetContent(xmlDocGetRootElement(doc.get()));
    EXPECT_STREQ(reinterpret_cast<const char*>(text), "");
    xmlFree(text);
}

TEST(XmlDocumentSecurity, ExcessiveDepthFailsCleanly) {
    XmlDocument document;
    EXPECT_FALSE(
        document.LoadXML(QByteArray("<a>").repeated(100000) + QByteArray("</a>").repeated(100000)));
    EXPECT_TRUE(document.LastParseError().Reason.contains("depth"));
}

using XmlNodeNames = XmlDocumentFixture;

TEST_F(XmlNodeNames, AttributesGoByTheQualifiedName) {
    XmlNode root = Load("<feed xmlns=\"urn:atom\" xmlns:dc=\"urn:dc\" dc:a=\"1\" b=\"2\"/>");
    EXPECT_EQ(root.GetAttribute("xmlns"), "urn:atom");
    EXPECT_EQ(root.GetAttribute("dc:a"), "1");
    EXPECT_EQ(root.GetAttribute("a"), QString());
    EXPECT_EQ(root.GetAttribute("missing"), QString());
    // Setting replaces or adds.
    root.SetAttribute("dc:a", "one");
    root.SetAttribute("c", "3");
    root.SetAttribute("xmlns:dc", "urn:other");
    EXPECT_EQ(m_document.ToBytes(), QByteArray("<feed xmlns=\"urn:atom\" xmlns:dc=\"urn:other\" "
                                               "dc:a=\"one\" b=\"2\" c=\"3\"/>"));
}

TEST_F(XmlNodeNames, NullNodeReadsEmpty) {
    XmlNode node;
    EXPECT_TRUE(node.IsNull());
    EXPECT_FALSE(node.IsElement());
    EXPECT_EQ(node.NodeType(), XmlNode::Type::Other);
    EXPECT_EQ(node.NodeName(), QString());
    EXPECT_EQ(node.Text(), QString());
    EXPECT_TRUE(node.ChildNodes().isEmpty());
    EXPECT_TRUE(node.Attributes().isEmpty());
    EXPECT_TRUE(node.SelectSingleNode("*").IsNull());
    node.SetText("x");
    node.SetAttribute("a", "b");
    EXPECT_TRUE(node.AppendChild(m_document.CreateElement("a")).IsNull());
}

using XmlNodeXPath = XmlDocumentFixture;

TEST_F(XmlNodeXPath, SelectsNodesOfTheTreeAndNothingElse) {
    Load("<rss version=\"2.0\" xmlns:dc=\"urn:dc\"><channel><title>C</title>"
         "<item><title>One</title></item><item><title>Two</title></item></channel></rss>");
    EXPECT_EQ(m_document.SelectSingleNode("/rss/channel/title").Text(), "C");
    EXPECT_EQ(m_document.SelectSingleNode("//item/title").Text(), "One");
    const XmlNode second = m_document.SelectSingleNode("(//item)[2]");
    EXPECT_EQ(second.SelectSingleNode("title").Text(), "Two");
    EXPECT_TRUE(second.SelectSingleNode("link").IsNull());

    const XmlNode root = m_document.DocumentElement();
    const XmlNode version = root.SelectSingleNode("@version");
    EXPECT_EQ(version.NodeName(), "version");
    EXPECT_EQ(version.Text(), "2.0");
    for (const char* expression :
         {"((", "", "count(//item)", "/", "namespace::*", "title[", "undefined:x"})
        EXPECT_TRUE(root.SelectSingleNode(QString::fromUtf8(expression)).IsNull()) << expression;
}

using XmlDocumentBuild = XmlDocumentFixture;

TEST_F(XmlDocumentBuild, FirstAppendedElementBecomesTheRootAndOrphansAreNotWritten) {
    XmlDocument document;
    // Nodes never appended are released with the document.
    XmlNode orphan = document.CreateElement("orphan");
    orphan.AppendChild(document.CreateTextNode("text"));
    EXPECT_FALSE(document.CreateTextNode("alone").IsNull());
    EXPECT_EQ(orphan.Text(), "text");
    EXPECT_EQ(document.ToBytes(), QByteArray());

    XmlNode root = document.AppendChild(document.CreateElement("providers"));
    EXPECT_EQ(document.DocumentElement(), root);
    EXPECT_TRUE(document.AppendChild(document.CreateElement("second")).IsNull());
    EXPECT_TRUE(document.AppendChild(document.CreateTextNode("text")).IsNull());
    EXPECT_EQ(document.ToBytes(), QByteArray("<providers/>"));

    // Adjacent text nodes stay apart.
    const XmlNode first = root.AppendChild(document.CreateTextNode("a"));
    const XmlNode second = root.AppendChild(document.CreateTextNode("b"));
    EXPECT_EQ(root.ChildNodes(), (QList<XmlNode>{first, second}));
    EXPECT_EQ(second.Text(), "b");
    EXPECT_EQ(root.Text(), "ab");
    EXPECT_EQ(document.ToBytes(), QByteArray("<providers>ab</providers>"));
}

TEST_F(XmlDocumentBuild, AppendingAnAncestorOrAForeignNodeIsRefused) {
    XmlNode root = Load("<r><a><b/></a></r>");
    XmlNode b = root.SelectSingleNode("a/b");
    EXPECT_TRUE(b.AppendChild(root).IsNull());
    EXPECT_TRUE(b.AppendChild(b).IsNull());
    XmlDocument other;
    EXPECT_TRUE(b.AppendChild(root.ChildNodes().value(0)).IsNull());
    EXPECT_TRUE(b.AppendChild(other.CreateElement("x")).IsNull());
    EXPECT_EQ(m_document.ToBytes(), QByteArray("<r><a><b/></a></r>"));
}

TEST_F(XmlDocumentBuild, MovedElementKeepsItsNamespaceWhenTheDeclaringOneGoes) {
    XmlNode root = Load("<r><p><d xmlns:a=\"urn:a\"><a:x/></d></p><q/></r>");
    XmlNode p = root.ChildNodes().value(0);
    root.ChildNodes().value(1).AppendChild(p.SelectSingleNode("d/*"));
    p.SetText(QString());
    EXPECT_EQ(m_document.ToBytes(), QByteArray("<r><p/><q><a:x xmlns:a=\"urn:a\"/></q></r>"));
    EXPECT_EQ(root.SelectSingleNode("q/*").NamespaceURI(), "urn:a");
}

TEST_F(XmlDocumentBuild, SetTextReplacesTheChildrenOrTheCharacterData) {
    XmlNode root = Load("<r>a<b>c</b><!--d--></r>");
    root.SetText("a < b & \"c\"");
    EXPECT_EQ(TypesOf(root.ChildNodes()), QList<XmlNode::Type>{XmlNode::Type::Text});
    EXPECT_EQ(m_document.ToBytes(), QByteArray("<r>a &lt; b &amp; \"c\"</r>"));
    EXPECT_EQ(Load(m_document.ToBytes().constData()).Text(), "a < b & \"c\"");

    // On text and CDATA it changes the data; comments keep theirs.
    for (XmlNode child : Load("<r>a<![CDATA[b]]><!--c--></r>").ChildNodes())
        child.SetText("&x;");
    EXPECT_EQ(m_document.ToBytes(), QByteArray("<r>&amp;x;<![CDATA[&x;]]><!--c--></r>"));
}

using XmlDocumentSave = XmlDocumentFixture;

TEST_F(XmlDocumentSave, WindowsLineBreaksAreWrittenRawAndDroppedOnLoad) {
    XmlDocument document;
    XmlNode providers = document.AppendChild(document.CreateElement("providers"));
    providers.AppendChild(document.CreateTextNode("\r\n  "));
    providers.AppendChild(document.CreateElement("category")).SetAttribute("name", "News");
    providers.AppendChild(document.CreateTextNode("\r\n"));
    const QByteArray bytes = document.ToBytes();
    EXPECT_EQ(bytes, QByteArray("<providers>\r\n  <category name=\"News\"/>\r\n</providers>"));
    EXPECT_EQ(TypesOf(Load(bytes.constData()).ChildNodes()),
              QList<XmlNode::Type>{XmlNode::Type::Element});
}

// Saving is an atomic write of these bytes; its failures are the atomic
// write's.
TEST_F(XmlDocumentSave, SavedFileLoadsBack) {
    QTemporaryDir dir;
    Load("<r><a>1</a></r>");
    ASSERT_TRUE(m_document.Save(dir.filePath("out.xml")));
    EXPECT_FALSE(m_document.Save(dir.filePath("missing/out.xml")));
    XmlDocument loaded;
    ASSERT_TRUE(loaded.Load(dir.filePath("out.xml")));
    EXPECT_EQ(loaded.ToBytes(), QByteArray("<r><a>1</a></r>"));
}
