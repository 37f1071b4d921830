// How documents are read, and written back, is shown by the documents under
// data/xml beside their expected readings (feeds_golden); how a document is
// loaded, searched, built and changed step by step, by the scenarios of
// data/cases/xml-edits.json; here the hostile documents and the rest.
#include "platform/XmlDocument.h"

#include "support/GoldenFile.h"
#include "support/Scenario.h"
#include "support/TestData.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <QDir>
#include <QFile>
#include <QHash>
#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

namespace {

// The scenarios of data/cases/xml-edits.json: each step loads, selects,
// creates, appends or changes a node, and names the state it must leave:
// the document's bytes and load state, and the node the step reached or
// changed. A node is named in a step as "document", "" (the null node),
// "$name" (a node an earlier step kept "as" that name) or an XPath from the
// document. "{data}" stands for the test data folder.
class XmlEditTest : public ::testing::Test {
protected:
    void Start() {
        named.clear();
        current = XmlNode();
        attribute.clear();
        document.emplace();
        foreign.emplace();
    }

    XmlNode Ref(const QJsonValue& ref) const {
        const QString text = ref.toString();
        if (text == u"document")
            return document->DocumentElement();
        if (text.startsWith(u'$'))
            return named.value(text.mid(1));
        return text.isEmpty() ? XmlNode() : document->SelectSingleNode(text);
    }

    // The name an earlier step kept `node` as; empty for none.
    QString NameOf(const XmlNode& node) const {
        for (auto kept = named.begin(); kept != named.end(); ++kept) {
            if (!node.IsNull() && kept.value() == node)
                return kept.key();
        }
        return {};
    }

    void Load(const QJsonObject& step) {
        if (step.contains("load"))
            ok = document->LoadXML(step["load"].toString().toUtf8(), XmlDocument::Malformed::Refuse,
                                   QUrl(step["address"].toString()));
        if (step.contains("loadFile"))
            ok = document->Load(TestData::Path(step["loadFile"].toString()));
        if (step["reload"].toBool())
            ok = document->LoadXML(document->ToBytes());
        current = document->DocumentElement();
    }

    void Build(const QJsonObject& step) {
        if (step.contains("create")) {
            XmlDocument& owner = step["foreign"].toBool() ? *foreign : *document;
            const QJsonObject made = step["create"].toObject();
            current = made.contains("element") ? owner.CreateElement(made["element"].toString())
                                               : owner.CreateTextNode(made["text"].toString());
        }
        if (step.contains("append")) {
            const XmlNode child = Ref(step["append"]);
            current = step["to"].toString() == u"document" ? document->AppendChild(child)
                                                           : Ref(step["to"]).AppendChild(child);
        }
    }

    // The changes of the node named "on"; nodes XmlDocument cannot make go
    // through libxml2 directly.
    void Change(const QJsonObject& step) {
        current = Ref(step["on"]);
        const auto text = [](const QJsonValue& value) {
            return value.toString().toUtf8();
        };
        if (step.contains("setText"))
            current.SetText(step["setText"].toString());
        const QStringList pair = step["setAttribute"].toVariant().toStringList();
        if (!pair.isEmpty())
            current.SetAttribute(pair[0], pair[1]);
        if (step.contains("attribute"))
            attribute = current.GetAttribute(step["attribute"].toString());
        const auto chars = [](const QByteArray& bytes) {
            return reinterpret_cast<const xmlChar*>(bytes.constData());
        };
        if (step.contains("cdata")) {
            const QByteArray data = text(step["cdata"]);
            xmlAddChild(current.Handle(), xmlNewCDataBlock(current.Handle()->doc, chars(data),
                                                           static_cast<int>(data.size())));
        }
        if (step.contains("instruction"))
            xmlAddChild(current.Handle(), xmlNewDocPI(current.Handle()->doc,
                                                      chars(text(step["instruction"])), nullptr));
    }

    void Take(const QJsonObject& step) {
        if (step.contains("load") || step.contains("loadFile") || step.contains("reload"))
            Load(step);
        if (step.contains("node"))
            current = Ref(step["node"]);
        if (step.contains("select"))
            current = step.contains("from")
                          ? Ref(step["from"]).SelectSingleNode(step["select"].toString())
                          : document->SelectSingleNode(step["select"].toString());
        Build(step);
        if (step.contains("on"))
            Change(step);
        if (step.contains("as"))
            named.insert(step["as"].toString(), current);
    }

    static QString TypeName(const XmlNode& node) {
        static const char* const names[] = {
            "Element",         "Text", "CData", "Comment", "ProcessingInstruction",
            "EntityReference", "Other"};
        return QString::fromLatin1(names[static_cast<int>(node.NodeType())]);
    }

    QJsonObject Snapshot() const {
        const QString data = QDir::cleanPath(TestData::Path(QStringLiteral(".")));
        QJsonArray children;
        for (const XmlNode& child : current.ChildNodes())
            children.append(NameOf(child).isEmpty() ? TypeName(child) : NameOf(child));
        return {{"ok", ok},
                {"ready", document->ReadyState()},
                {"error", QString(document->LastParseError().Reason).replace(data, "{data}")},
                {"line", document->LastParseError().Line},
                {"bytes", QString::fromUtf8(document->ToBytes())},
                {"null", current.IsNull()},
                {"element", current.IsElement()},
                {"type", TypeName(current)},
                {"name", current.NodeName()},
                {"text", current.Text()},
                {"namespace", current.NamespaceURI()},
                {"baseURI", current.BaseURI().replace(data, "{data}")},
                {"xml", current.Xml()},
                {"attributes", current.Attributes().size()},
                {"attribute", attribute},
                {"children", children},
                {"is", NameOf(current)}};
    }

    std::optional<XmlDocument> document;
    std::optional<XmlDocument> foreign;
    QHash<QString, XmlNode> named;
    XmlNode current;
    QString attribute;
    bool ok = false;
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

TEST(XmlDocumentLoad, MessagesStayOffTheConsole) {
    ::testing::internal::CaptureStderr();
    XmlDocument document;
    document.LoadXML("<r><a></r>");
    document.LoadXML("<!DOCTYPE r SYSTEM \"file:///nonexistent\"><r>&x;</r>");
    document.SelectSingleNode("((");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), std::string());
}

TEST(XmlDocumentText, ManyReferencesToASmallEntityAreFine) {
    const QByteArray xml = "<!DOCTYPE r [<!ENTITY c \"Copyright Example Corporation\">]><r>" +
                           QByteArray("<i>&c;</i>").repeated(5000) + "</r>";
    XmlDocument document;
    ASSERT_TRUE(document.LoadXML(xml));
    EXPECT_EQ(document.DocumentElement().Text().size(), 5000 * 29);
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

// Saving is an atomic write of these bytes; its failures are the atomic
// write's.
TEST(XmlDocumentSave, SavedFileLoadsBack) {
    QTemporaryDir dir;
    XmlDocument document;
    ASSERT_TRUE(document.LoadXML("<r><a>1</a></r>"));
    ASSERT_TRUE(document.Save(dir.filePath("out.xml")));
    EXPECT_FALSE(document.Save(dir.filePath("missing/out.xml")));
    XmlDocument loaded;
    ASSERT_TRUE(loaded.Load(dir.filePath("out.xml")));
    EXPECT_EQ(loaded.ToBytes(), QByteArray("<r><a>1</a></r>"));
}

TEST_F(XmlEditTest, EveryScenarioLeavesTheDocumentItExpects) {
    Scenario::WalkExpecting(
        QStringLiteral("cases/xml-edits.json"), [this] { Start(); },
        [this](const QJsonObject& step) { Take(step); }, [this] { return Snapshot(); });
}
