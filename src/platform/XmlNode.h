#pragma once

#include <QList>
#include <QString>

struct _xmlNode;

// A node of an XmlDocument: a light handle, valid while its document lives.
// A default-constructed node is null; reading a null node gives empty results.
class XmlNode {
public:
    enum class Type {
        Element,
        Text,
        CData,
        Comment,
        ProcessingInstruction,
        EntityReference,
        Other
    };

    struct Attribute {
        QString Name;
        QString Value;
    };

    XmlNode() = default;
    explicit XmlNode(_xmlNode* node)
        : m_node(node) {}

    bool IsNull() const { return m_node == nullptr; }
    Type NodeType() const;
    bool IsElement() const { return !IsNull() && NodeType() == Type::Element; }

    // The qualified name, prefix included ("dc:date").
    QString NodeName() const;
    // The local name ("date").
    QString BaseName() const;
    // The element's qualified name; empty for other nodes.
    QString TagName() const;
    QString NamespaceURI() const;

    // The text of all descendants concatenated, with character references,
    // entity references and CDATA sections resolved. Not trimmed.
    QString Text() const;
    // Replaces the children by one text node; markup characters are escaped
    // when the document is saved.
    void SetText(const QString& text);
    // The node and everything below it as XML text, written as a saved
    // document writes it; declarations of namespaces made on ancestors are
    // not repeated.
    QString Xml() const;
    // The base URI references in this node are relative to: the xml:base
    // attributes of the node and its ancestors, the nearest first, each
    // resolved against the next one out, and finally against the address of
    // the document (XmlDocument::LoadXML; the path for XmlDocument::Load).
    // Empty when none of these gives one.
    QString BaseURI() const;

    // The children in document order. Text nodes made only of white space
    // were dropped when the document was parsed.
    QList<XmlNode> ChildNodes() const;
    // The first child, or a null node; with NextSibling, a walk over the
    // children that allocates nothing (see XmlChildren).
    XmlNode FirstChild() const;
    XmlNode NextSibling() const;
    // Appends `child` (created by the same document) and returns it.
    XmlNode AppendChild(const XmlNode& child);

    QList<Attribute> Attributes() const;
    // The attribute's value, or an empty string when there is none.
    QString GetAttribute(const QString& name) const;
    void SetAttribute(const QString& name, const QString& value);

    // The first node the XPath expression selects with this node as the
    // context, or a null node.
    XmlNode SelectSingleNode(const QString& xpath) const;

    _xmlNode* Handle() const { return m_node; }
    bool operator==(const XmlNode& other) const = default;

private:
    _xmlNode* m_node = nullptr;
};
