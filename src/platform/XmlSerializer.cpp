#include "platform/XmlSerializer.h"

#include "platform/LibXml.h"

#include <memory>

namespace {

const char* Chars(const xmlChar* text) {
    return text != nullptr ? reinterpret_cast<const char*>(text) : "";
}

enum class Context { Text, Attribute, CData };

// What `c` is written as; null when it is written as it is.
const char* Replacement(char c, Context context) {
    // Not even a character reference can carry these in XML 1.0.
    if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r')
        return "";
    if (context == Context::CData)
        return nullptr;
    const bool inAttribute = context == Context::Attribute;
    switch (c) {
    case '&':
        return "&amp;";
    case '<':
        return "&lt;";
    case '>':
        return inAttribute ? nullptr : "&gt;";
    case '"':
        return inAttribute ? "&quot;" : nullptr;
    // In an attribute value a parser turns these into spaces; references
    // keep them.
    case '\t':
        return inAttribute ? "&#9;" : nullptr;
    case '\n':
        return inAttribute ? "&#10;" : nullptr;
    // A parser reads a line break "\r\n" or a lone "\r" as "\n" wherever
    // it stands; only a reference brings it back as it was.
    case '\r':
        return "&#13;";
    default:
        return nullptr;
    }
}

bool IsLayout(const char* text) {
    for (; *text != '\0'; ++text) {
        if (*text != ' ' && *text != '\t' && *text != '\n' && *text != '\r')
            return false;
    }
    return true;
}

void AppendEscaped(QByteArray& out, const char* text, Context context) {
    // Text of nothing but white space lays a document out, in the line
    // breaks the document chose; readers drop it.
    if (context == Context::Text && IsLayout(text)) {
        out.append(text);
        return;
    }
    const char* run = text;
    for (; *text != '\0'; ++text) {
        const char* replacement = Replacement(*text, context);
        if (replacement == nullptr)
            continue;
        out.append(run, text - run).append(replacement);
        run = text + 1;
    }
    out.append(run, text - run);
}

// A parser accepts a reference to an undeclared entity only while the
// declaration may still be somewhere it did not read: in an external subset,
// or behind a parameter entity. The written document type keeps the
// former but not the latter, so such a reference could make the written
// text unreadable. It stands for no text, so leaving it out loses nothing.
bool IsReadableReference(const xmlNode* reference) {
    if (reference->children != nullptr) // points at the declaration
        return true;
    const xmlDtd* dtd = reference->doc != nullptr ? reference->doc->intSubset : nullptr;
    return dtd != nullptr && (dtd->ExternalID != nullptr || dtd->SystemID != nullptr);
}

} // namespace

void XmlSerializer::AppendText(QByteArray& out, const QByteArray& utf8) {
    AppendEscaped(out, utf8.constData(), Context::Text);
}

QByteArray XmlSerializer::Serialize(const _xmlNode* node) {
    XmlSerializer serializer;
    if (node != nullptr)
        serializer.WriteTree(node);
    return serializer.m_out;
}

void XmlSerializer::WriteTree(const xmlNode* root) {
    const xmlNode* node = root;
    for (;;) {
        if (WriteStart(node)) {
            node = node->children;
            continue;
        }
        while (node != root && node->next == nullptr) {
            node = node->parent;
            WriteEnd(node);
        }
        if (node == root)
            return;
        node = node->next;
    }
}

bool XmlSerializer::WriteStart(const xmlNode* node) {
    switch (node->type) {
    case XML_DOCUMENT_NODE:
        return node->children != nullptr;
    case XML_ELEMENT_NODE:
        WriteStartTag(node);
        m_out.append(node->children != nullptr ? ">" : "/>");
        return node->children != nullptr;
    case XML_TEXT_NODE:
        AppendEscaped(m_out, Chars(node->content), Context::Text);
        return false;
    case XML_CDATA_SECTION_NODE:
        WriteCData(Chars(node->content));
        return false;
    case XML_ENTITY_REF_NODE:
        WriteReference(node, false);
        return false;
    case XML_COMMENT_NODE:
        m_out.append("<!--").append(Chars(node->content)).append("-->");
        return false;
    case XML_PI_NODE:
        m_out.append("<?").append(Chars(node->name));
        if (node->content != nullptr && node->content[0] != '\0')
            m_out.append(' ').append(Chars(node->content));
        m_out.append("?>");
        return false;
    case XML_DTD_NODE:
        WriteDocumentType(node);
        return false;
    default:
        return false;
    }
}

void XmlSerializer::WriteEnd(const xmlNode* node) {
    if (node->type != XML_ELEMENT_NODE)
        return;
    m_out.append("</");
    LibXml::AppendQualifiedName(m_out, node->ns, node->name);
    m_out.append('>');
}

void XmlSerializer::WriteStartTag(const xmlNode* element) {
    m_out.append('<');
    LibXml::AppendQualifiedName(m_out, element->ns, element->name);
    // Namespace declarations are held apart from the attributes.
    for (const xmlNs* ns = element->nsDef; ns != nullptr; ns = ns->next) {
        m_out.append(" xmlns");
        if (ns->prefix != nullptr)
            m_out.append(':').append(Chars(ns->prefix));
        m_out.append("=\"");
        AppendEscaped(m_out, Chars(ns->href), Context::Attribute);
        m_out.append('"');
    }
    for (const xmlAttr* attribute = element->properties; attribute != nullptr;
         attribute = attribute->next)
        WriteAttribute(attribute);
}

void XmlSerializer::WriteAttribute(const xmlAttr* attribute) {
    m_out.append(' ');
    LibXml::AppendQualifiedName(m_out, attribute->ns, attribute->name);
    m_out.append("=\"");
    // A parsed value keeps its entity references as nodes of their own.
    for (const xmlNode* part = attribute->children; part != nullptr; part = part->next) {
        if (part->type == XML_ENTITY_REF_NODE)
            WriteReference(part, true);
        else
            AppendEscaped(m_out, Chars(part->content), Context::Attribute);
    }
    m_out.append('"');
}

void XmlSerializer::WriteReference(const xmlNode* reference, bool inAttribute) {
    // An HTML name nobody declared is written as what it reads as.
    const QByteArray html = LibXml::UndeclaredReplacement(reference);
    if (!html.isNull())
        AppendEscaped(m_out, html.constData(), inAttribute ? Context::Attribute : Context::Text);
    else if (IsReadableReference(reference))
        m_out.append('&').append(Chars(reference->name)).append(';');
}

void XmlSerializer::WriteCData(const char* content) {
    QByteArray section;
    AppendEscaped(section, content, Context::CData);
    // "]]>" cannot occur inside a section; it is split across two.
    m_out.append("<![CDATA[").append(section.replace("]]>", "]]]]><![CDATA[>")).append("]]>");
}

void XmlSerializer::WriteDocumentType(const xmlNode* dtd) {
    // The internal subset (entity declarations above all) is libxml2's to
    // write; its declarations carry no text nodes.
    const std::unique_ptr<xmlBuffer, decltype(&xmlBufferFree)> buffer(xmlBufferCreate(),
                                                                      xmlBufferFree);
    xmlNodeDump(buffer.get(), dtd->doc, const_cast<xmlNode*>(dtd), 0, 0);
    m_out.append(reinterpret_cast<const char*>(xmlBufferContent(buffer.get())),
                 xmlBufferLength(buffer.get()));
}
