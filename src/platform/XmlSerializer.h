#pragma once

#include <QByteArray>

struct _xmlNode;
struct _xmlAttr;

// Writes a libxml2 tree as XML text, exactly as the nodes hold it: UTF-8, no
// XML declaration, no line breaks or indentation of its own. libxml2's own
// writer turns a carriage return in text into "&#13;", which would change
// files whose text nodes carry Windows line breaks.
//
// Text and attribute values are escaped. Characters XML 1.0 cannot carry at
// all (C0 controls other than tab, line feed and carriage return) are left
// out of text, attribute values and CDATA, so whatever the program set reads
// back. Comments, processing instructions and the document type only ever
// hold what a parser accepted and are written as they are.
class XmlSerializer {
public:
    // `node` and everything below it; for a document, its top-level nodes.
    static QByteArray Serialize(const _xmlNode* node);
    // Appends UTF-8 text escaped as the content of an element, exactly as
    // Serialize writes a text node, for writers that stream a document
    // without building it.
    static void AppendText(QByteArray& out, const QByteArray& utf8);

private:
    void WriteTree(const _xmlNode* root);
    // Writes what comes before the children; true when there are children
    // to write, and the end tag then follows them.
    bool WriteStart(const _xmlNode* node);
    void WriteEnd(const _xmlNode* node);
    // The start tag up to, not including, its closing bracket.
    void WriteStartTag(const _xmlNode* element);
    void WriteAttribute(const _xmlAttr* attribute);
    void WriteReference(const _xmlNode* reference, bool inAttribute);
    void WriteCData(const char* content);
    void WriteDocumentType(const _xmlNode* dtd);

    QByteArray m_out;
};
