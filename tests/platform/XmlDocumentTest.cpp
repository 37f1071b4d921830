#include "platform/XmlDocument.h"

#include "support/TestData.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <utility>

namespace {

QList<XmlNode::Type> TypesOf(const QList<XmlNode>& nodes) {
    QList<XmlNode::Type> types;
    for (const XmlNode& node : nodes)
        types.append(node.NodeType());
    return types;
}

QStringList NamesOf(const QList<XmlNode>& nodes) {
    QStringList names;
    for (const XmlNode& node : nodes)
        names.append(node.NodeName());
    return names;
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
    SecretDtd() {
        QFile file(Path());
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("<!ENTITY y \"SECRET\">");
    }

    QByteArray Url() const { return "file://" + QFile::encodeName(Path()); }

private:
    QString Path() const { return m_dir.filePath("secret.dtd"); }

    QTemporaryDir m_dir;
};

} // namespace

// Encodings: libxml2 gets the raw bytes and follows the byte order mark and
// the encoding declaration.

TEST(XmlDocumentEncoding, TextReadsAsUnicode) {
    const std::pair<const char*, const char16_t*> cases[] = {
        {"xml/latin1.xml", u"caf\u00e9"},
        {"xml/windows1252.xml", u"it\u2019s \u20ac"},
        {"xml/utf16le.xml", u"caf\u00e9 \u65e5\u672c"},
        {"xml/utf16be.xml", u"caf\u00e9 \u65e5\u672c"},
        {"xml/utf8bom.xml", u"caf\u00e9"},
    };
    for (const auto& [fixture, text] : cases) {
        XmlDocument document;
        ASSERT_TRUE(document.Load(TestData::Path(fixture)))
            << fixture << ": " << document.LastParseError().Reason.toStdString();
        EXPECT_EQ(document.DocumentElement().Text(), QString::fromUtf16(text)) << fixture;
    }
}

TEST(XmlDocumentLoad, FailureDropsTheDocumentAndReportsTheFirstFatalError) {
    XmlDocument document;
    EXPECT_EQ(document.ReadyState(), XmlDocument::Uninitialized);
    ASSERT_TRUE(document.LoadXML("<r><a/></r>"));
    EXPECT_FALSE(document.LoadXML("<r")); // cut short
    // Two errors: the undeclared entity, then the mismatched end tag.
    EXPECT_FALSE(document.LoadXML("<r>\n  <a>&nope;</b>\n</r>"));
    EXPECT_EQ(document.ReadyState(), XmlDocument::Complete);
    EXPECT_TRUE(document.DocumentElement().IsNull());
    EXPECT_EQ(document.ToBytes(), QByteArray());
    const XmlDocument::ParseError& error = document.LastParseError();
    EXPECT_EQ(error.Reason, "Entity 'nope' not defined");
    EXPECT_EQ(error.Line, 2);
    EXPECT_EQ(error.LinePos, 12);
    // A success clears the error.
    EXPECT_TRUE(document.LoadXML("<r/>"));
    EXPECT_EQ(document.ReadyState(), XmlDocument::Complete);
    EXPECT_TRUE(document.LastParseError().Reason.isEmpty());
    EXPECT_EQ(document.LastParseError().Line, 0);
}

// Feeds as they are found: each document in tests/data/feeds/malformed read
// the way feeds are read, what it yields, and where the strict parse first
// failed (line 0: it did not).
TEST(XmlDocumentLoad, MalformedFeedsAreRecoveredWhenAsked) {
    const struct {
        const char* file;
        bool recovered;
        int errorLine;
        const char* root;
        const char* path;
        const char16_t* text;
    } cases[] = {
        {"bare-ampersand.xml", true, 7, "feed", "(//*[local-name()='entry'])[1]",
         u"Fish & chips stall reopens at Pier 3"},
        {"html-entities.xml", true, 8, "rss", "(//item)[1]",
         u"Caf\u00e9\u00a0Society opens by the quay"},
        {"control-character.xml", true, 8, "rss", "(//item)[2]",
         u"Pilot boat named after & by locals"},
        {"unterminated-cdata.xml", true, 19, "rss", "(//item)[2]", u"Crane hire & costs"},
        {"truncated.xml", true, 14, "rss", "(//item)[2]", u"Dredging starts in March"},
        {"mismatched-tags.xml", true, 10, "rss", "/rss/channel/item[2]",
         u"Breakwater reopens & repairs begin"},
        {"utf-8-bytes-labelled-iso-8859-1.xml", false, 0, "rss", "(//item)[2]",
         u"Na\u00efve sailors\u2019 guide"},
        {"windows-1252-bytes-labelled-iso-8859-1.xml", false, 0, "rss", "(//item)[1]",
         u"Sailors\u2019 guide \u2013 part \u201ctwo\u201d"},
        {"windows-1252-bytes-labelled-utf-8.xml", true, 8, "rss", "(//item)[2]",
         u"Sailors\u2019 guide \u2013 part two"},
        {"whitespace-before-declaration.xml", false, 0, "rss", "(//item)[2]",
         u"Harbour master & crew honoured"},
        {"bom-whitespace-before-declaration.xml", false, 0, "rss", "(//item)[1]",
         u"Caf\u00e9 boats return"},
        {"utf16le-without-bom.xml", false, 0, "rss", "(//item)[2]", u"\u65e5\u672c ferry visit"},
        {"utf16be-without-bom.xml", false, 0, "rss", "(//item)[2]", u"\u65e5\u672c ferry visit"},
        {"utf32le-without-bom.xml", false, 0, "rss", "(//item)[2]", u"\u65e5\u672c ferry visit"},
        {"utf32be-without-bom.xml", false, 0, "rss", "(//item)[2]", u"\u65e5\u672c ferry visit"},
        {"rss091-undeclared-entities.xml", false, 0, "rss", "(//item)[1]",
         u"Caf\u00e9\u00a0Society & more"},
        {"html-page.xml", true, 5, "html", "(//meta)[1]", u"Harbour Gazette \u2013 Page not found"},
    };
    for (const auto& c : cases) {
        const QByteArray bytes = TestData::Read(QStringLiteral("feeds/malformed/") + c.file);
        XmlDocument document;
        ASSERT_TRUE(document.LoadXML(bytes, XmlDocument::Malformed::Recover))
            << c.file << ": " << document.LastParseError().Reason.toStdString();
        EXPECT_EQ(document.WasRecovered(), c.recovered) << c.file;
        EXPECT_EQ(document.LastParseError().Line, c.errorLine)
            << c.file << ": " << document.LastParseError().Reason.toStdString();
        EXPECT_EQ(document.DocumentElement().NodeName(), c.root) << c.file;
        const XmlNode title =
            document.SelectSingleNode(QString::fromLatin1(c.path) + "/*[local-name()='title']");
        EXPECT_EQ(title.Text(), QString::fromUtf16(c.text)) << c.file;
        // Refused when not asked to recover; the error is the same.
        XmlDocument strict;
        EXPECT_EQ(strict.LoadXML(bytes), !c.recovered) << c.file;
        EXPECT_EQ(strict.LastParseError().Line, c.errorLine) << c.file;
    }
}

TEST(XmlDocumentLoad, RecoveryMendsWhatNeedsNoGuessingAndNeedsARoot) {
    const struct {
        const char* xml;
        const char* path;
        const char16_t* text;
        const char16_t* href;
    } cases[] = {
        {"<r><a href=\"?q=1&p=2&amp;s=3\">AT&T &#38; &#x26; &amp; 1 < 2</a></r>", "/r/a",
         u"AT&T & & & 1 < 2", u"?q=1&p=2&s=3"},
        // After an error the references that follow still read.
        {"<r><a>x\x01</b><b>&amp;&eacute;</b></r>", "/r/a", u"x&\u00e9", u""},
        // An end tag closes what was left open inside its element.
        {"<r><d><p>one <i>two</d><e>three</e></r>", "/r/e", u"three", u""},
        {"<r><d><p>one <i a='<'>two", "/r/d", u"one two", u""},
        {"<r><d><![CDATA[before \x0b after <b>x</b>]]></d></r>", "/r/d", u"before  after <b>x</b>",
         u""},
        // Markup bytes inside two-byte characters stay as they are.
        {"<?xml version=\"1.0\" encoding=\"ISO-2022-JP\"?><r><t>\x1b$B<&4A</\x1b(B</t><u></r>",
         "/r/t", u"\u75d4\u6f22\u9e7f", u""},
        // An encoding libxml2 does not know: UTF-8 when the bytes are, else
        // Windows-1252.
        {"<?xml version=\"1.0\" encoding=\"x-unknown\"?><r>caf\xe9 \x93</r>", "/r",
         u"caf\u00e9 \u201c", u""},
        {"<?xml version=\"1.0\" encoding=\"x-unknown\"?><r>caf\xc3\xa9</r>", "/r", u"caf\u00e9",
         u""},
    };
    XmlDocument document;
    for (const auto& c : cases) {
        ASSERT_TRUE(document.LoadXML(c.xml, XmlDocument::Malformed::Recover)) << c.xml;
        EXPECT_TRUE(document.WasRecovered()) << c.xml;
        const XmlNode node = document.SelectSingleNode(QString::fromLatin1(c.path));
        EXPECT_EQ(node.Text(), QString::fromUtf16(c.text)) << c.xml;
        EXPECT_EQ(node.GetAttribute("href"), QString::fromUtf16(c.href)) << c.xml;
    }
    for (const char* rootless :
         {"", "not xml at all", "<!-- only a comment -->", "<?xml version=\"1.0\"?>"}) {
        EXPECT_FALSE(document.LoadXML(rootless, XmlDocument::Malformed::Recover)) << rootless;
        EXPECT_FALSE(document.WasRecovered());
        EXPECT_FALSE(document.LastParseError().Reason.isEmpty()) << rootless;
    }
}

TEST(XmlDocumentLoad, FileThatCannotBeOpenedSaysSo) {
    XmlDocument document;
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

using XmlDocumentWhitespace = XmlDocumentFixture;

TEST_F(XmlDocumentWhitespace, OnlyTextOfWhiteSpaceAloneBetweenElementsIsDropped) {
    XmlNode root = Load("<r>\r\n\t<a> </a>\n  <b>\n    <c/>\n  </b>\n</r>\n");
    EXPECT_EQ(NamesOf(root.ChildNodes()), (QStringList{"a", "b"}));
    EXPECT_TRUE(root.ChildNodes()[0].ChildNodes().isEmpty());
    EXPECT_EQ(NamesOf(root.ChildNodes()[1].ChildNodes()), QStringList{"c"});

    // Text with other characters, a no-break space among them, stays whole.
    root = Load("<r> a <b/> \u00a0 <![CDATA[ ]]></r>");
    EXPECT_EQ(TypesOf(root.ChildNodes()),
              (QList<XmlNode::Type>{XmlNode::Type::Text, XmlNode::Type::Element,
                                    XmlNode::Type::Text, XmlNode::Type::CData}));
    EXPECT_EQ(root.Text(), " a  \u00a0  ");

    root = Load("<r xml:space=\"preserve\"> <a>\n</a><b xml:space=\"default\"> </b></r>");
    EXPECT_EQ(TypesOf(root.ChildNodes()),
              (QList<XmlNode::Type>{XmlNode::Type::Text, XmlNode::Type::Element,
                                    XmlNode::Type::Element}));
    EXPECT_EQ(root.ChildNodes()[1].Text(), "\n");
    EXPECT_TRUE(root.ChildNodes()[2].ChildNodes().isEmpty());
}

using XmlDocumentText = XmlDocumentFixture;

TEST_F(XmlDocumentText, ResolvesReferencesEntitiesAndCdataInTextAndAttributes) {
    const struct {
        const char* xml;
        const char16_t* text;
        const char16_t* attribute;
    } cases[] = {
        {"<!DOCTYPE r [<!ENTITY e \"E<b>x</b>&#x263A;\">]>"
         "<r>a&amp;&lt;&#233;&#x65E5;<![CDATA[<c>&amp;]]>&e;<i>!</i></r>",
         u"a&<\u00e9\u65e5<c>&amp;Ex\u263a!", u""},
        {"<!DOCTYPE r [<!ENTITY e \"E\">]><r a=\"1&amp;2&#233;&e;\"/>", u"", u"1&2\u00e9E"},
        {"<r a='\"'/>", u"", u"\""},
        // An entity read first in an attribute expands in text too.
        {"<!DOCTYPE r [<!ENTITY e \"E&#233;\">]><r a=\"&e;\"><t>&e;</t></r>", u"E\u00e9",
         u"E\u00e9"},
    };
    for (const auto& c : cases) {
        const XmlNode root = Load(c.xml);
        EXPECT_EQ(root.Text(), QString::fromUtf16(c.text)) << c.xml;
        EXPECT_EQ(root.GetAttribute("a"), QString::fromUtf16(c.attribute)) << c.xml;
    }
}

TEST_F(XmlDocumentText, EveryKindOfChildIsANode) {
    const XmlNode root =
        Load("<!DOCTYPE r [<!ENTITY e \"E\">]><r>a<!--c--><?pi d?><![CDATA[x]]>&e;<x/></r>");
    const QList<XmlNode> children = root.ChildNodes();
    EXPECT_EQ(TypesOf(children),
              (QList<XmlNode::Type>{XmlNode::Type::Text, XmlNode::Type::Comment,
                                    XmlNode::Type::ProcessingInstruction, XmlNode::Type::CData,
                                    XmlNode::Type::EntityReference, XmlNode::Type::Element}));
    EXPECT_EQ(NamesOf(children),
              (QStringList{"#text", "#comment", "pi", "#cdata-section", "e", "x"}));
    EXPECT_EQ(children[1].Text(), "c");
    EXPECT_EQ(children[2].Text(), "d");
    EXPECT_EQ(children[4].Text(), "E");
    EXPECT_TRUE(children[4].ChildNodes().isEmpty());
    // Comments and processing instructions are not part of an element's text.
    EXPECT_EQ(root.Text(), "axE");
}

TEST_F(XmlDocumentText, ManyReferencesToASmallEntityAreFine) {
    const QByteArray xml = "<!DOCTYPE r [<!ENTITY c \"Copyright Example Corporation\">]><r>" +
                           QByteArray("<i>&c;</i>").repeated(5000) + "</r>";
    const XmlNode root = Load(xml.constData());
    EXPECT_EQ(root.Text().size(), 5000 * 29);
}

// Feeds use HTML names without declaring them, with or without a document
// type whose declarations are never read.
TEST(XmlDocumentTextHtmlNames, UndeclaredReferencesReadAsTheirHtmlCharacters) {
    XmlDocument document;
    ASSERT_TRUE(document.Load(TestData::Path("xml/rss091.xml")))
        << document.LastParseError().Reason.toStdString();
    EXPECT_FALSE(document.WasRecovered());
    EXPECT_EQ(document.SelectSingleNode("/rss/channel/title").Text(), u"Old\u00a0News");
    EXPECT_TRUE(document.ToBytes().contains("<title>Old\u00a0News</title>"));

    const QByteArray netscape =
        "<!DOCTYPE rss PUBLIC \"-//Netscape Communications//DTD RSS "
        "0.91//EN\" \"http://my.netscape.com/publish/formats/rss-0.91.dtd\">";
    ASSERT_TRUE(document.LoadXML(netscape + "<rss><title a=\"&eacute;&nbsp;x&gt;&AMP;\">"
                                            "Caf&eacute;&nbsp;Society &amp; more</title></rss>"));
    const XmlNode title = document.SelectSingleNode("//title");
    EXPECT_EQ(title.Text(), u"Caf\u00e9\u00a0Society & more");
    EXPECT_EQ(title.GetAttribute("a"), u"\u00e9\u00a0x>&");
    // Written as what they read as, so the text reads back the same.
    const QByteArray written = document.ToBytes();
    XmlDocument reread;
    ASSERT_TRUE(reread.LoadXML(written)) << written.toStdString();
    EXPECT_EQ(reread.SelectSingleNode("//title").Text(), title.Text());
    EXPECT_EQ(reread.SelectSingleNode("//title").GetAttribute("a"), title.GetAttribute("a"));

    // Without a document type the text is not well-formed: refused, or read
    // when recovering.
    const QByteArray bare = "<r a=\"&hellip;\">&rsquo;&nope;</r>";
    EXPECT_FALSE(document.LoadXML(bare));
    ASSERT_TRUE(document.LoadXML(bare, XmlDocument::Malformed::Recover));
    EXPECT_TRUE(document.WasRecovered());
    EXPECT_EQ(document.LastParseError().Reason, "Entity 'hellip' not defined");
    EXPECT_EQ(document.DocumentElement().Text(), u"\u2019");
    EXPECT_EQ(document.DocumentElement().GetAttribute("a"), u"\u2026");
}

// Behind a parameter entity the parser cannot rule a declaration out; the
// written document type has the declarations but not the reference, so the
// undeclared one is left out rather than written unreadable.
TEST(XmlDocumentWriteBack, UndeclaredEntityBehindAParameterEntityIsLeftOut) {
    XmlDocument document;
    ASSERT_TRUE(document.LoadXML(
        "<!DOCTYPE r [<!ENTITY % p \"<!ENTITY d 'D'>\"> %p;]><r a=\"&q;&d;\">&q;&d;</r>"));
    const QByteArray written = document.ToBytes();
    EXPECT_TRUE(written.endsWith("<r a=\"&d;\">&d;</r>")) << written.toStdString();
    XmlDocument reread;
    ASSERT_TRUE(reread.LoadXML(written)) << reread.LastParseError().Reason.toStdString();
    EXPECT_EQ(reread.DocumentElement().Text(), "D");
    EXPECT_EQ(reread.ToBytes(), written);
}

// Hostile documents: nothing outside the text is read, expansion and depth
// stay bounded.

TEST(XmlDocumentSecurity, BillionLaughsIsRejectedQuickly) {
    QElapsedTimer timer;
    timer.start();
    XmlDocument document;
    EXPECT_FALSE(document.Load(TestData::Path("xml/billion-laughs.xml")));
    EXPECT_TRUE(document.LastParseError().Reason.contains("entity", Qt::CaseInsensitive));
    const QByteArray inAttribute = TestData::Read("xml/billion-laughs.xml")
                                       .replace("<lolz>&lol9;</lolz>", "<lolz a=\"&lol9;\"/>");
    EXPECT_FALSE(document.LoadXML(inAttribute));
    EXPECT_LT(timer.elapsed(), 1000);
}

TEST(XmlDocumentSecurity, OneLargeEntityReferencedOftenIsRejected) {
    // libxml2 lets this through: 20 000 references to 100 KB, 2 GB of text.
    const QByteArray entity = "<!DOCTYPE r [<!ENTITY a \"" + QByteArray(100000, 'x') + "\">]>";
    QElapsedTimer timer;
    timer.start();
    XmlDocument document;
    EXPECT_FALSE(document.LoadXML(entity + "<r>" + QByteArray("&a;").repeated(20000) + "</r>"));
    EXPECT_EQ(document.LastParseError().Reason, "Entity references expand to too much text.");
    EXPECT_EQ(document.LastParseError().Line, 1);
    EXPECT_FALSE(
        document.LoadXML(entity + "<r>" + QByteArray("<i x=\"&a;\"/>").repeated(20000) + "</r>"));
    EXPECT_LT(timer.elapsed(), 1000);
}

TEST(XmlDocumentSecurity, ExternalGeneralEntityIsNotRead) {
    XmlDocument document;
    ASSERT_TRUE(document.LoadXML(
        "<!DOCTYPE r [<!ENTITY x SYSTEM \"file:///etc/passwd\">]><r><t>a&x;b</t></r>"));
    const XmlNode t = document.SelectSingleNode("/r/t");
    EXPECT_EQ(t.Text(), "ab");
    EXPECT_FALSE(document.DocumentElement().Text().contains("root:"));
    EXPECT_FALSE(document.ToBytes().contains("root:"));
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
    ASSERT_TRUE(document.LoadXML("<!DOCTYPE r SYSTEM \"file:///etc/passwd\"><r/>"));
    EXPECT_FALSE(document.ToBytes().contains("root:"));
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

TEST_F(XmlNodeNames, QualifiedLocalAndNamespace) {
    const XmlNode root = Load(
        "<feed xmlns=\"urn:atom\" xmlns:dc=\"urn:dc\"><dc:date xml:lang=\"en\">x</dc:date></feed>");
    EXPECT_EQ(root.NodeName(), "feed");
    EXPECT_EQ(root.NamespaceURI(), "urn:atom");
    const XmlNode date = root.ChildNodes().value(0);
    EXPECT_EQ(date.NodeName(), "dc:date");
    EXPECT_EQ(date.BaseName(), "date");
    EXPECT_EQ(date.TagName(), "dc:date");
    EXPECT_EQ(date.NamespaceURI(), "urn:dc");
    const XmlNode text = date.ChildNodes().value(0);
    EXPECT_EQ(text.BaseName(), QString());
    EXPECT_EQ(text.TagName(), QString());
    EXPECT_EQ(text.NamespaceURI(), QString());

    // An undeclared prefix keeps the name as written.
    const XmlNode undeclared = Load("<r><dc:date>x</dc:date></r>").ChildNodes().value(0);
    EXPECT_EQ(undeclared.NodeName(), "dc:date");
    EXPECT_EQ(undeclared.BaseName(), "date");
    EXPECT_EQ(undeclared.NamespaceURI(), QString());
}

TEST_F(XmlNodeNames, AttributesIncludeNamespaceDeclarations) {
    const XmlNode root = Load("<feed xmlns=\"urn:atom\" xmlns:dc=\"urn:dc\" dc:a=\"1\" b=\"2\"/>");
    QStringList written;
    for (const XmlNode::Attribute& attribute : root.Attributes())
        written.append(attribute.Name + '=' + attribute.Value);
    EXPECT_EQ(written, (QStringList{"xmlns=urn:atom", "xmlns:dc=urn:dc", "dc:a=1", "b=2"}));
    EXPECT_EQ(root.GetAttribute("xmlns"), "urn:atom");
    EXPECT_EQ(root.GetAttribute("dc:a"), "1");
    EXPECT_EQ(root.GetAttribute("a"), QString());
    EXPECT_EQ(root.GetAttribute("missing"), QString());
}

TEST_F(XmlNodeNames, SetAttributeReplacesOrAdds) {
    XmlNode root = Load("<r xmlns:dc=\"urn:dc\" dc:a=\"1\" b=\"2\"/>");
    root.SetAttribute("dc:a", "one");
    root.SetAttribute("c", "3");
    root.SetAttribute("xmlns:dc", "urn:other");
    EXPECT_EQ(m_document.ToBytes(),
              QByteArray("<r xmlns:dc=\"urn:other\" dc:a=\"one\" b=\"2\" c=\"3\"/>"));
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

class XmlNodeXPath : public XmlDocumentFixture {
protected:
    void SetUp() override {
        Load("<rss version=\"2.0\" xmlns:dc=\"urn:dc\"><channel><title>C</title>"
             "<item><title>One</title></item><item><title>Two</title></item></channel></rss>");
    }
};

TEST_F(XmlNodeXPath, SelectsNodesOfTheTreeAndNothingElse) {
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
}

TEST_F(XmlDocumentBuild, AdjacentTextNodesStayApart) {
    XmlDocument document;
    XmlNode root = document.AppendChild(document.CreateElement("r"));
    const XmlNode first = root.AppendChild(document.CreateTextNode("a"));
    const XmlNode second = root.AppendChild(document.CreateTextNode("b"));
    EXPECT_EQ(root.ChildNodes(), (QList<XmlNode>{first, second}));
    EXPECT_EQ(second.Text(), "b");
    EXPECT_EQ(root.Text(), "ab");
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

TEST_F(XmlDocumentSave, NamesTextAndAttributeValuesRoundTrip) {
    const QString value = "a\tb\nc\r\nd \"q\" 'p' <&> \u00e9";
    XmlDocument document;
    XmlNode root = document.AppendChild(document.CreateElement("日本語"));
    root.SetAttribute("v", value);
    root.SetAttribute("名前", "値");
    root.AppendChild(document.CreateTextNode("テキスト"));
    const XmlNode loaded = Load(document.ToBytes().constData());
    EXPECT_EQ(loaded.NodeName(), "日本語");
    EXPECT_EQ(loaded.GetAttribute("v"), value);
    EXPECT_EQ(loaded.GetAttribute("名前"), "値");
    EXPECT_EQ(loaded.Text(), "テキスト");
}

TEST_F(XmlDocumentSave, IsUtf8WithoutDeclarationWhateverWasRead) {
    ASSERT_TRUE(m_document.Load(TestData::Path("xml/latin1.xml")));
    EXPECT_EQ(m_document.ToBytes(), QByteArray("<t>caf\xc3\xa9</t>"));
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
