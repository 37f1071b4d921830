#pragma once

#include "platform/XmlDocument.h"

#include <QByteArray>
#include <QString>

struct _xmlDoc;

// Reads bytes into a libxml2 tree. Nothing outside the bytes is read (no
// DTD, no external entity, no network) and libxml2's limits on depth and
// size stay on. A reference to an entity nobody declared reads as the
// character of its HTML name, as feeds mean it.
namespace XmlParser {

struct Result {
    _xmlDoc* Doc = nullptr; // the caller's to free; null when nothing was read
    // The first error found in the text; empty when it is well-formed.
    XmlDocument::ParseError Error;
};

// A text that is not well-formed gives a null document, unless `recover`:
// then it is parsed again in libxml2's recovery mode, after what can be
// mended without guessing was mended (XmlInput::ForRecovery), and whatever
// has a root element is kept. Well-formed text is parsed once.
Result Parse(const QByteArray& bytes, const QString& sourceName, bool recover);

} // namespace XmlParser
