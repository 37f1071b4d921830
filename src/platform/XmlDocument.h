#pragma once

#include "platform/XmlNode.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QUrl>

struct _xmlDoc;

// An XML document: parsed from a file or from bytes (see XmlParser), or
// built node by node and saved. Parsing never touches the network or the
// file system beyond the one file asked for: no DTD loading, no external
// entities, and libxml2's limits against entity amplification and excessive
// depth stay on.
//
// Loads are synchronous today. A document fetched from the network will be
// handed its bytes later through the same loading path, and then announces
// ReadyStateChanged on the thread that owns it.
class XmlDocument : public QObject {
    Q_OBJECT

public:
    // The states of a document object as scripts know them; only Uninitialized
    // and Complete occur for synchronous loads.
    enum ReadyStateValue {
        Uninitialized = 0,
        Loading = 1,
        Loaded = 2,
        Interactive = 3,
        Complete = 4
    };

    struct ParseError {
        QString Reason; // empty when the last load read well-formed text
        int Line = 0;
        int LinePos = 0;
    };

    // What a load does with text that is not well-formed: refuse it (files
    // of the user's, which must not be read in part and saved back), or read
    // whatever libxml2's recovery makes of it (feeds from the wild).
    enum class Malformed { Refuse, Recover };

    explicit XmlDocument(QObject* parent = nullptr);
    ~XmlDocument() override;

    XmlDocument(const XmlDocument&) = delete;
    XmlDocument& operator=(const XmlDocument&) = delete;

    // Parses the file or the bytes, replacing what the document held. False
    // when the text could not be read, or is not well-formed and refused or
    // beyond recovery; ParseError then says why and where, and
    // DocumentElement is null. `address` is where the bytes were fetched
    // from: relative references in the document are relative to it
    // (XmlNode::BaseURI).
    bool Load(const QString& filePath);
    bool LoadXML(const QByteArray& bytes, Malformed malformed = Malformed::Refuse,
                 const QUrl& address = QUrl());

    int ReadyState() const { return m_readyState; }
    const ParseError& LastParseError() const { return m_parseError; }
    // Whether the last load read text that is not well-formed; LastParseError
    // then says where it first went wrong.
    bool WasRecovered() const { return m_recovered; }

    XmlNode DocumentElement() const;

    // Nodes belong to this document; until appended somewhere they are
    // released with it.
    XmlNode CreateElement(const QString& name);
    XmlNode CreateTextNode(const QString& text);
    // Appends a top-level node; the first element appended becomes the root.
    XmlNode AppendChild(const XmlNode& child);

    XmlNode SelectSingleNode(const QString& xpath) const;

    // The document exactly as its nodes hold it, UTF-8, without an XML
    // declaration and without added line breaks or indentation.
    QByteArray ToBytes() const;
    // Writes ToBytes() to `filePath` atomically: a reader sees the old file or
    // the new one, never a part.
    bool Save(const QString& filePath) const;

Q_SIGNALS:
    void ReadyStateChanged();

private:
    void Reset();
    bool Parse(const QByteArray& bytes, const QString& sourceName, Malformed malformed);
    // Takes `doc` in place of what the document held, or starts empty when
    // it is null; either way the load is complete.
    bool Finish(_xmlDoc* doc, const ParseError& error);

    _xmlDoc* m_doc = nullptr;
    int m_readyState = Uninitialized;
    ParseError m_parseError;
    bool m_recovered = false;
};
