#pragma once

#include <QByteArray>

// The bytes of an XML document as they are handed to libxml2: what feeds in
// the wild get wrong about their encoding set right first, and, for a text
// that is not well-formed, what can be mended without guessing at its
// structure.
namespace XmlInput {

struct Input {
    QByteArray Bytes;
    // Where the document starts: past white space before the declaration.
    qsizetype Offset = 0;
    // The encoding the bytes are read in whatever they declare, or empty to
    // follow the byte order mark and the declaration.
    QByteArray Encoding;
};

// The bytes as they are first parsed. White space (after a byte order mark
// too) before the XML declaration is skipped. A document declared as
// ISO-8859-1, US-ASCII or Windows-1252 is read as UTF-8 when its bytes are
// valid UTF-8, else as Windows-1252. UTF-32, and UTF-16 without a byte
// order mark, recognised by the bytes of the first character, are read
// through UTF-8.
Input Prepare(const QByteArray& bytes);

// The bytes for a second, recovering parse of a document whose first parse
// failed. One whose encoding does not decode (undeclared or declared UTF-8
// but not UTF-8, or a name libxml2 does not know) is read as UTF-8 when its
// bytes are valid UTF-8, else as Windows-1252. In an encoding where markup
// is ASCII (not in a stateful seven-bit one such as ISO-2022-JP), a "&" that
// starts no reference becomes "&amp;" (outside CDATA sections, comments and
// processing instructions) and, in UTF-8, control characters XML forbids are
// dropped (inside those too), so neither costs the text around it; line
// numbers stay as they were.
Input ForRecovery(const Input& input);

} // namespace XmlInput
