#include "platform/XmlDocument.h"

#include "platform/AtomicFile.h"
#include "platform/LibXml.h"
#include "platform/XmlParser.h"
#include "platform/XmlSerializer.h"

#include <libxml/tree.h>

#include <QFile>

#include <algorithm>
#include <vector>

namespace {

// How much text entity references may expand to, in bytes and nodes: enough
// for any feed that uses entities for characters or boilerplate, far below
// what one large entity referenced thousands of times produces. libxml2
// stops nested amplification ("billion laughs") itself, but not that.
constexpr std::size_t MinimumExpansionBudget = 1 << 20;
constexpr std::size_t ExpansionBudgetPerInputByte = 10;

xmlNode* AsNode(xmlDoc* doc) {
    return reinterpret_cast<xmlNode*>(doc);
}

// Where nodes created by the document wait until they are appended: a
// fragment outside the tree, freed with the document, so a node never
// appended does not leak.
xmlNode* Nursery(xmlDoc* doc) {
    if (doc->_private == nullptr)
        doc->_private = xmlNewDocFragment(doc);
    return static_cast<xmlNode*>(doc->_private);
}

void FreeDocument(xmlDoc* doc) {
    if (doc == nullptr)
        return;
    xmlFreeNode(static_cast<xmlNode*>(doc->_private));
    xmlFreeDoc(doc);
}

// The next node of the tree in document order, not stepping into entity
// replacements, attributes or the document type.
xmlNode* NextInTree(xmlNode* node) {
    if (node->type == XML_ELEMENT_NODE && node->children != nullptr)
        return node->children;
    while (node != nullptr && node->next == nullptr)
        node = node->parent;
    return node != nullptr ? node->next : nullptr;
}

class ExpansionBudget {
public:
    explicit ExpansionBudget(std::size_t limit)
        : m_limit(limit) {}

    // Spends on the replacements of the references at `node` (in an
    // element's attribute values too); false once the budget is exceeded.
    bool Spend(const xmlNode* node) {
        if (node->type == XML_ENTITY_REF_NODE)
            return SpendOnReference(node);
        if (node->type != XML_ELEMENT_NODE)
            return true;
        for (const xmlAttr* attribute = node->properties; attribute != nullptr;
             attribute = attribute->next) {
            for (const xmlNode* part = attribute->children; part != nullptr; part = part->next) {
                if (part->type == XML_ENTITY_REF_NODE && !SpendOnReference(part))
                    return false;
            }
        }
        return true;
    }

private:
    bool SpendOnReference(const xmlNode* reference) {
        return LibXml::WalkExpanded(reference, [this](const xmlNode* node) {
            m_spent += 1;
            if (node->type == XML_TEXT_NODE || node->type == XML_CDATA_SECTION_NODE)
                m_spent += static_cast<std::size_t>(xmlStrlen(node->content));
            return m_spent <= m_limit;
        });
    }

    std::size_t m_limit;
    std::size_t m_spent = 0;
};

// libxml2 keeps an "&" written as a reference in a namespace name as "&#38;".
void UnescapeNamespaceNames(xmlNode* element) {
    for (xmlNs* ns = element->nsDef; ns != nullptr; ns = ns->next) {
        if (xmlStrstr(ns->href, reinterpret_cast<const xmlChar*>("&#38;")) == nullptr)
            continue;
        const QByteArray href =
            QByteArray(reinterpret_cast<const char*>(ns->href)).replace("&#38;", "&");
        xmlFree(const_cast<xmlChar*>(ns->href));
        ns->href = xmlStrdup(reinterpret_cast<const xmlChar*>(href.constData()));
    }
}

// One walk over the tree, which for a large feed costs more in memory
// traffic than in work: checks that the entity references of `doc` expand
// within the budget for a document of `inputSize` bytes, and mends
// namespace names. Null when the budget holds; otherwise the element where
// it ran out.
const xmlNode* CheckExpansion(xmlDoc* doc, std::size_t inputSize) {
    ExpansionBudget budget(
        std::max(MinimumExpansionBudget, ExpansionBudgetPerInputByte * inputSize));
    for (xmlNode* node = doc->children; node != nullptr; node = NextInTree(node)) {
        if (!budget.Spend(node))
            return node->type == XML_ELEMENT_NODE ? node : node->parent;
        if (node->type == XML_ELEMENT_NODE && node->nsDef != nullptr)
            UnescapeNamespaceNames(node);
    }
    return nullptr;
}

// The entity references in element content and attribute values.
std::vector<xmlNode*> References(xmlDoc* doc) {
    std::vector<xmlNode*> references;
    for (xmlNode* node = doc->children; node != nullptr; node = NextInTree(node)) {
        if (node->type == XML_ENTITY_REF_NODE)
            references.push_back(node);
        if (node->type != XML_ELEMENT_NODE)
            continue;
        for (xmlAttr* attribute = node->properties; attribute != nullptr;
             attribute = attribute->next) {
            for (xmlNode* part = attribute->children; part != nullptr; part = part->next) {
                if (part->type == XML_ENTITY_REF_NODE)
                    references.push_back(part);
            }
        }
    }
    return references;
}

// A recovered document may refer to an entity whose replacement is not
// well-formed ("a<"); written back as a reference it would make the written
// text unreadable. Each reference gives way to the text it reads as.
void FlattenReferences(xmlDoc* doc) {
    for (xmlNode* reference : References(doc)) {
        const QByteArray text = XmlNode(reference).Text().toUtf8();
        xmlNode* replacement =
            xmlNewDocText(doc, reinterpret_cast<const xmlChar*>(text.constData()));
        xmlReplaceNode(reference, replacement);
        xmlFreeNode(reference);
    }
}

} // namespace

XmlDocument::XmlDocument(QObject* parent)
    : QObject(parent) {
    LibXml::Initialize();
    Reset();
}

XmlDocument::~XmlDocument() {
    FreeDocument(m_doc);
}

bool XmlDocument::Load(const QString& filePath) {
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly)) {
        return Finish(nullptr,
                      {QStringLiteral("Cannot open \"%1\": %2").arg(filePath, file.errorString())});
    }
    return Parse(file.readAll(), filePath, Malformed::Refuse);
}

bool XmlDocument::LoadXML(const QByteArray& bytes, Malformed malformed, const QUrl& address) {
    return Parse(bytes, address.toString(QUrl::FullyEncoded), malformed);
}

bool XmlDocument::Parse(const QByteArray& bytes, const QString& sourceName, Malformed malformed) {
    const XmlParser::Result read =
        XmlParser::Parse(bytes, sourceName, malformed == Malformed::Recover);
    if (read.Doc == nullptr)
        return Finish(nullptr, read.Error);
    if (const xmlNode* excess = CheckExpansion(read.Doc, static_cast<std::size_t>(bytes.size()))) {
        FreeDocument(read.Doc);
        return Finish(nullptr, {QStringLiteral("Entity references expand to too much text."),
                                static_cast<int>(xmlGetLineNo(excess)), 0});
    }
    // Only a document type declares entities.
    if (!read.Error.Reason.isEmpty() && read.Doc->intSubset != nullptr)
        FlattenReferences(read.Doc);
    return Finish(read.Doc, read.Error);
}

bool XmlDocument::Finish(_xmlDoc* doc, const ParseError& error) {
    if (doc != nullptr) {
        FreeDocument(m_doc);
        m_doc = doc;
    } else {
        Reset();
    }
    m_parseError = error;
    m_recovered = doc != nullptr && !error.Reason.isEmpty();
    m_readyState = Complete;
    return doc != nullptr;
}

void XmlDocument::Reset() {
    FreeDocument(m_doc);
    m_doc = xmlNewDoc(reinterpret_cast<const xmlChar*>("1.0"));
}

XmlNode XmlDocument::DocumentElement() const {
    return XmlNode(xmlDocGetRootElement(m_doc));
}

XmlNode XmlDocument::CreateElement(const QString& name) {
    const QByteArray utf8 = name.toUtf8();
    xmlNode* element =
        xmlNewDocNode(m_doc, nullptr, reinterpret_cast<const xmlChar*>(utf8.constData()), nullptr);
    return XmlNode(Nursery(m_doc)).AppendChild(XmlNode(element));
}

XmlNode XmlDocument::CreateTextNode(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    xmlNode* node = xmlNewDocText(m_doc, reinterpret_cast<const xmlChar*>(utf8.constData()));
    return XmlNode(Nursery(m_doc)).AppendChild(XmlNode(node));
}

XmlNode XmlDocument::AppendChild(const XmlNode& child) {
    // Beside its one element a document holds only comments and processing
    // instructions.
    const XmlNode::Type type = child.NodeType();
    const bool fits = type == XmlNode::Type::Comment ||
                      type == XmlNode::Type::ProcessingInstruction ||
                      (type == XmlNode::Type::Element && DocumentElement().IsNull());
    if (!fits)
        return {};
    return XmlNode(AsNode(m_doc)).AppendChild(child);
}

XmlNode XmlDocument::SelectSingleNode(const QString& xpath) const {
    return XmlNode(AsNode(m_doc)).SelectSingleNode(xpath);
}

QByteArray XmlDocument::ToBytes() const {
    return XmlSerializer::Serialize(AsNode(m_doc));
}

bool XmlDocument::Save(const QString& filePath) const {
    return AtomicFile::Write(filePath, ToBytes());
}
