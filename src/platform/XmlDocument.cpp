#include "platform/XmlDocument.h"

#include "platform/AtomicFile.h"
#include "platform/LibXml.h"
#include "platform/XmlSerializer.h"

#include <libxml/parser.h>

#include <QFile>

#include <algorithm>
#include <climits>
#include <memory>

namespace {

// Only what the text of the document says: no DTD is loaded, no entity is
// substituted (references stay nodes and are expanded when read, under the
// budget below), and the parser's limits on depth and size stay on. CDATA
// sections stay nodes of their own, so they are written back as CDATA. No
// XML_PARSE_COMPACT: the tree is edited after loading, which it forbids.
constexpr int ParseOptions = XML_PARSE_NONET;

// How much text entity references may expand to, in bytes and nodes: enough
// for any feed that uses entities for characters or boilerplate, far below
// what one large entity referenced thousands of times produces. libxml2
// stops nested amplification ("billion laughs") itself, but not that.
constexpr std::size_t MinimumExpansionBudget = 1 << 20;
constexpr std::size_t ExpansionBudgetPerInputByte = 10;

using ParserContext = std::unique_ptr<xmlParserCtxt, decltype(&xmlFreeParserCtxt)>;

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

// Keeps the first fatal error: later ones mostly follow from it.
void CollectError(void* context, xmlError* error) {
    auto* parser = static_cast<xmlParserCtxt*>(context);
    auto* parseError = static_cast<XmlDocument::ParseError*>(parser->_private);
    if (error->level == XML_ERR_FATAL && parseError->Reason.isEmpty())
        *parseError = {
            LibXml::ToQString(reinterpret_cast<const xmlChar*>(error->message)).trimmed(),
            error->line, error->int2};
}

struct ChunkReader {
    const QByteArray& bytes;
    qsizetype offset;

    static int Read(void* context, char* buffer, int length) {
        auto* reader = static_cast<ChunkReader*>(context);
        const qsizetype count = std::min<qsizetype>(length, reader->bytes.size() - reader->offset);
        std::copy_n(reader->bytes.constData() + reader->offset, count, buffer);
        reader->offset += count;
        return static_cast<int>(count);
    }
};

xmlDoc* Read(const QByteArray& bytes, const QString& sourceName, XmlDocument::ParseError& error) {
    if (bytes.size() > INT_MAX) {
        error.Reason = QStringLiteral("The document is too large to read.");
        return nullptr;
    }
    const ParserContext parser(xmlNewParserCtxt(), xmlFreeParserCtxt);
    // The structured handler of this context, not the thread's: errors
    // belong to the document being read.
    parser->_private = &error;
    parser->sax->serror = CollectError;
    const QByteArray url = QFile::encodeName(sourceName);
    // Fed in chunks rather than through xmlCtxtReadMemory, which first copies
    // the whole text: the parser drops what it has consumed, so a large feed
    // is not held twice while its tree grows.
    ChunkReader reader{bytes, 0};
    xmlDoc* doc = xmlCtxtReadIO(parser.get(), ChunkReader::Read, nullptr, &reader,
                                url.isEmpty() ? nullptr : url.constData(), nullptr, ParseOptions);
    if (doc == nullptr && error.Reason.isEmpty())
        error.Reason = QStringLiteral("The document is not well-formed.");
    return doc;
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

bool IsBlank(const xmlNode* node) {
    if (node->type != XML_TEXT_NODE)
        return false;
    for (const xmlChar* c = node->content; c != nullptr && *c != '\0'; ++c) {
        if (*c != ' ' && *c != '\t' && *c != '\r' && *c != '\n')
            return false;
    }
    return true;
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

// Whether blank text below `parent` is kept: xml:space="preserve" there or
// on an ancestor. Asked once per parent, not per blank.
class SpacePolicy {
public:
    bool Preserves(xmlNode* parent) {
        if (parent != m_parent) {
            m_parent = parent;
            m_preserves = xmlNodeGetSpacePreserve(parent) == 1;
        }
        return m_preserves;
    }

private:
    xmlNode* m_parent = nullptr;
    bool m_preserves = false;
};

// One walk over the tree, which for a large feed costs more in memory
// traffic than in work:
// - drops the line breaks and indentation between elements, so the
//   children of an element written one per line are exactly its elements
//   (not XML_PARSE_NOBLANKS: it guesses, and keeps blanks next to some
//   elements);
// - checks that the entity references of `doc` expand within the budget
//   for a document of `inputSize` bytes.
// Null when the budget holds; otherwise the element where it ran out.
const xmlNode* TidyAndCheckExpansion(xmlDoc* doc, std::size_t inputSize) {
    ExpansionBudget budget(
        std::max(MinimumExpansionBudget, ExpansionBudgetPerInputByte * inputSize));
    SpacePolicy space;
    for (xmlNode* node = doc->children; node != nullptr;) {
        xmlNode* next = NextInTree(node);
        if (IsBlank(node) && !space.Preserves(node->parent)) {
            xmlUnlinkNode(node);
            xmlFreeNode(node);
        } else if (!budget.Spend(node)) {
            return node->type == XML_ELEMENT_NODE ? node : node->parent;
        }
        node = next;
    }
    return nullptr;
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
    return Parse(file.readAll(), filePath);
}

bool XmlDocument::LoadXML(const QByteArray& bytes, const QUrl& address) {
    return Parse(bytes, address.toString(QUrl::FullyEncoded));
}

bool XmlDocument::Parse(const QByteArray& bytes, const QString& sourceName) {
    ParseError error;
    xmlDoc* doc = Read(bytes, sourceName, error);
    if (doc == nullptr)
        return Finish(nullptr, error);
    if (const xmlNode* excess =
            TidyAndCheckExpansion(doc, static_cast<std::size_t>(bytes.size()))) {
        error = {QStringLiteral("Entity references expand to too much text."),
                 static_cast<int>(xmlGetLineNo(excess)), 0};
        FreeDocument(doc);
        return Finish(nullptr, error);
    }
    return Finish(doc, {});
}

bool XmlDocument::Finish(_xmlDoc* doc, const ParseError& error) {
    if (doc != nullptr) {
        FreeDocument(m_doc);
        m_doc = doc;
    } else {
        Reset();
    }
    m_parseError = error;
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
