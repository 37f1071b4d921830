#include "platform/XmlNode.h"

#include "platform/LibXml.h"
#include "platform/XmlChildren.h"
#include "platform/XmlSerializer.h"

#include <libxml/xpath.h>

#include <memory>
#include <string>

namespace {

const xmlChar* Chars(const QByteArray& utf8) {
    return reinterpret_cast<const xmlChar*>(utf8.constData());
}

bool IsCharacterData(const xmlNode* node) {
    return node->type == XML_TEXT_NODE || node->type == XML_CDATA_SECTION_NODE;
}

bool HoldsChildren(const xmlNode* node) {
    return node->type == XML_ELEMENT_NODE || node->type == XML_DOCUMENT_NODE ||
           node->type == XML_DOCUMENT_FRAG_NODE;
}

// The kinds of node a handle may stand for. An XPath result can also be a
// document, a declaration, or a namespace node that is not even an xmlNode
// and dies with the result.
bool IsHandedOut(const xmlNode* node) {
    switch (node->type) {
    case XML_ELEMENT_NODE:
    case XML_ATTRIBUTE_NODE:
    case XML_TEXT_NODE:
    case XML_CDATA_SECTION_NODE:
    case XML_ENTITY_REF_NODE:
    case XML_PI_NODE:
    case XML_COMMENT_NODE:
        return true;
    default:
        return false;
    }
}

bool IsAncestorOrSelf(const xmlNode* candidate, const xmlNode* node) {
    for (; node != nullptr; node = node->parent) {
        if (node == candidate)
            return true;
    }
    return false;
}

// Links `child` as the last child by hand: xmlAddChild would merge adjacent
// text nodes and free the one appended, leaving its handle dangling.
void LinkLast(xmlNode* parent, xmlNode* child) {
    xmlUnlinkNode(child);
    child->parent = parent;
    child->prev = parent->last;
    if (parent->last != nullptr)
        parent->last->next = child;
    else
        parent->children = child;
    parent->last = child;
}

void ReplaceChildren(xmlNode* node, xmlNode* replacement) {
    xmlFreeNodeList(node->children);
    node->children = nullptr;
    node->last = nullptr;
    if (replacement != nullptr)
        LinkLast(node, replacement);
}

std::string ExpandedText(const xmlNode* node) {
    std::string text;
    LibXml::WalkExpanded(node, [&text](const xmlNode* current) {
        if (IsCharacterData(current) && current->content != nullptr)
            text += reinterpret_cast<const char*>(current->content);
        else if (current->type == XML_ENTITY_REF_NODE && current->children == nullptr)
            text += LibXml::UndeclaredReplacement(current).toStdString();
        return true;
    });
    return text;
}

QString AttributeValue(const xmlAttr* attribute) {
    // Most values are one run of text: no walk needed.
    const xmlNode* only = attribute->children;
    if (only != nullptr && only->next == nullptr && only->type == XML_TEXT_NODE)
        return LibXml::ToQString(only->content);
    return QString::fromStdString(ExpandedText(reinterpret_cast<const xmlNode*>(attribute)));
}

QByteArray NamespaceDeclarationName(const xmlNs* ns) {
    return ns->prefix != nullptr ? "xmlns:" + QByteArray(reinterpret_cast<const char*>(ns->prefix))
                                 : QByteArray("xmlns");
}

xmlNs* FindNamespaceDeclaration(const xmlNode* element, const QByteArray& name) {
    if (!name.startsWith("xmlns"))
        return nullptr;
    for (xmlNs* ns = element->nsDef; ns != nullptr; ns = ns->next) {
        if (NamespaceDeclarationName(ns) == name)
            return ns;
    }
    return nullptr;
}

// Whether `qualified` is "prefix:name" (or "name" without a prefix),
// compared without building the qualified name.
bool IsQualifiedName(QByteArrayView qualified, const xmlNs* ns, const xmlChar* name) {
    if (ns != nullptr && ns->prefix != nullptr) {
        const QByteArrayView prefix(reinterpret_cast<const char*>(ns->prefix));
        if (!qualified.startsWith(prefix) || qualified.size() <= prefix.size() ||
            qualified[prefix.size()] != ':')
            return false;
        qualified = qualified.sliced(prefix.size() + 1);
    }
    return qualified == QByteArrayView(reinterpret_cast<const char*>(name));
}

xmlAttr* FindAttribute(const xmlNode* element, const QByteArray& name) {
    for (xmlAttr* attribute = element->properties; attribute != nullptr;
         attribute = attribute->next) {
        if (IsQualifiedName(name, attribute->ns, attribute->name))
            return attribute;
    }
    return nullptr;
}

using XPathContext = std::unique_ptr<xmlXPathContext, decltype(&xmlXPathFreeContext)>;
using XPathObject = std::unique_ptr<xmlXPathObject, decltype(&xmlXPathFreeObject)>;

} // namespace

XmlNode::Type XmlNode::NodeType() const {
    if (IsNull())
        return Type::Other;
    switch (m_node->type) {
    case XML_ELEMENT_NODE:
        return Type::Element;
    case XML_TEXT_NODE:
        return Type::Text;
    case XML_CDATA_SECTION_NODE:
        return Type::CData;
    case XML_COMMENT_NODE:
        return Type::Comment;
    case XML_PI_NODE:
        return Type::ProcessingInstruction;
    case XML_ENTITY_REF_NODE:
        return Type::EntityReference;
    default:
        return Type::Other;
    }
}

QString XmlNode::NodeName() const {
    if (IsNull())
        return {};
    switch (m_node->type) {
    case XML_ELEMENT_NODE:
        // Most names have no prefix: no need to build the qualified one.
        if (m_node->ns == nullptr || m_node->ns->prefix == nullptr)
            return LibXml::ToQString(m_node->name);
        return QString::fromUtf8(LibXml::QualifiedName(m_node->ns, m_node->name));
    case XML_ATTRIBUTE_NODE: {
        const auto* attribute = reinterpret_cast<const xmlAttr*>(m_node);
        return QString::fromUtf8(LibXml::QualifiedName(attribute->ns, attribute->name));
    }
    case XML_TEXT_NODE:
        return QStringLiteral("#text");
    case XML_CDATA_SECTION_NODE:
        return QStringLiteral("#cdata-section");
    case XML_COMMENT_NODE:
        return QStringLiteral("#comment");
    default:
        return LibXml::ToQString(m_node->name);
    }
}

QString XmlNode::BaseName() const {
    // Elements and attributes keep the local name apart from the prefix;
    // readers ask for it of every child, so it is not cut out of NodeName.
    // (An undeclared prefix stays part of the name.)
    if (!IsNull() && (m_node->type == XML_ELEMENT_NODE || m_node->type == XML_ATTRIBUTE_NODE)) {
        const xmlChar* colon = xmlStrchr(m_node->name, ':');
        return LibXml::ToQString(colon != nullptr ? colon + 1 : m_node->name);
    }
    const QString name = NodeName();
    return name.startsWith(QLatin1Char('#')) ? QString() : name.mid(name.lastIndexOf(':') + 1);
}

QString XmlNode::TagName() const {
    return IsElement() ? NodeName() : QString();
}

QString XmlNode::NamespaceURI() const {
    const bool named =
        !IsNull() && (m_node->type == XML_ELEMENT_NODE || m_node->type == XML_ATTRIBUTE_NODE);
    return named && m_node->ns != nullptr ? LibXml::ToQString(m_node->ns->href) : QString();
}

QString XmlNode::Text() const {
    if (IsNull())
        return {};
    if (m_node->type == XML_COMMENT_NODE || m_node->type == XML_PI_NODE)
        return LibXml::ToQString(m_node->content);
    // Most elements hold one run of text: no walk needed.
    const xmlNode* only = m_node->type == XML_ELEMENT_NODE ? m_node->children : nullptr;
    if (only != nullptr && only->next == nullptr && IsCharacterData(only))
        return LibXml::ToQString(only->content);
    return QString::fromStdString(ExpandedText(m_node));
}

void XmlNode::SetText(const QString& text) {
    if (IsNull())
        return;
    const QByteArray utf8 = text.toUtf8();
    switch (m_node->type) {
    case XML_ELEMENT_NODE:
    case XML_ATTRIBUTE_NODE:
        // Not xmlNodeSetContent: for these it reads "&" as the start of an
        // entity reference.
        ReplaceChildren(m_node, utf8.isEmpty() ? nullptr : xmlNewDocText(m_node->doc, Chars(utf8)));
        break;
    // Not comments or instructions: the serializer writes those as they are,
    // and "--" or "?>" would end them early.
    case XML_TEXT_NODE:
    case XML_CDATA_SECTION_NODE:
        xmlNodeSetContent(m_node, Chars(utf8));
        break;
    default:
        break;
    }
}

QString XmlNode::Xml() const {
    return IsNull() ? QString() : QString::fromUtf8(XmlSerializer::Serialize(m_node));
}

QString XmlNode::BaseURI() const {
    if (IsNull())
        return {};
    xmlChar* base = xmlNodeGetBase(m_node->doc, m_node);
    const QString uri = LibXml::ToQString(base);
    xmlFree(base);
    return uri;
}

QList<XmlNode> XmlNode::ChildNodes() const {
    const XmlChildren children(*this);
    return {children.begin(), children.end()};
}

XmlNode XmlNode::FirstChild() const {
    return IsNull() || !HoldsChildren(m_node) ? XmlNode() : XmlNode(m_node->children);
}

XmlNode XmlNode::NextSibling() const {
    return IsNull() ? XmlNode() : XmlNode(m_node->next);
}

XmlNode XmlNode::AppendChild(const XmlNode& child) {
    if (IsNull() || child.IsNull() || !HoldsChildren(m_node) || child.m_node->doc != m_node->doc)
        return {};
    xmlNode* node = child.m_node;
    if (!IsHandedOut(node) || node->type == XML_ATTRIBUTE_NODE)
        return {};
    // A node without children cannot be an ancestor; skipping the walk keeps
    // building deep trees linear.
    if (node == m_node || (node->children != nullptr && IsAncestorOrSelf(node, m_node)))
        return {};
    LinkLast(m_node, node);
    // A node moved out of the subtree that declared its namespace takes the
    // declaration along.
    if (node->type == XML_ELEMENT_NODE)
        xmlReconciliateNs(node->doc, node);
    return child;
}

QList<XmlNode::Attribute> XmlNode::Attributes() const {
    QList<Attribute> attributes;
    if (!IsElement())
        return attributes;
    for (const xmlNs* ns = m_node->nsDef; ns != nullptr; ns = ns->next)
        attributes.append(
            {QString::fromUtf8(NamespaceDeclarationName(ns)), LibXml::ToQString(ns->href)});
    for (const xmlAttr* attribute = m_node->properties; attribute != nullptr;
         attribute = attribute->next) {
        attributes.append({QString::fromUtf8(LibXml::QualifiedName(attribute->ns, attribute->name)),
                           AttributeValue(attribute)});
    }
    return attributes;
}

QString XmlNode::GetAttribute(const QString& name) const {
    if (!IsElement())
        return {};
    // Declarations first, as Attributes() lists them.
    const QByteArray utf8Name = name.toUtf8();
    if (const xmlNs* ns = FindNamespaceDeclaration(m_node, utf8Name))
        return LibXml::ToQString(ns->href);
    const xmlAttr* attribute = FindAttribute(m_node, utf8Name);
    return attribute != nullptr ? AttributeValue(attribute) : QString();
}

void XmlNode::SetAttribute(const QString& name, const QString& value) {
    if (!IsElement())
        return;
    const QByteArray utf8Name = name.toUtf8();
    const QByteArray utf8Value = value.toUtf8();
    // A declaration read from a file is not an attribute to libxml2; adding
    // one of the same name would write it twice.
    if (xmlNs* ns = FindNamespaceDeclaration(m_node, utf8Name)) {
        xmlFree(const_cast<xmlChar*>(ns->href));
        ns->href = xmlStrdup(Chars(utf8Value));
    } else if (xmlAttr* attribute = FindAttribute(m_node, utf8Name)) {
        xmlSetNsProp(m_node, attribute->ns, attribute->name, Chars(utf8Value));
    } else {
        xmlNewProp(m_node, Chars(utf8Name), Chars(utf8Value));
    }
}

XmlNode XmlNode::SelectSingleNode(const QString& xpath) const {
    if (IsNull())
        return {};
    const XPathContext context(xmlXPathNewContext(m_node->doc), xmlXPathFreeContext);
    context->node = m_node;
    const QByteArray expression = xpath.toUtf8();
    const XPathObject result(xmlXPathEvalExpression(Chars(expression), context.get()),
                             xmlXPathFreeObject);
    if (result == nullptr || result->type != XPATH_NODESET ||
        xmlXPathNodeSetIsEmpty(result->nodesetval))
        return {};
    xmlNode* first = xmlXPathNodeSetItem(result->nodesetval, 0);
    return IsHandedOut(first) ? XmlNode(first) : XmlNode();
}
