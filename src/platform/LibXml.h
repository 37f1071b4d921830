#pragma once

#include <libxml/tree.h>

#include <QByteArray>
#include <QString>

#include <functional>

// The process-wide setup of libxml2 and the few helpers every reader and
// writer of its trees shares.
namespace LibXml {

// Sets libxml2 up once per process; any thread may call it any number of
// times. From then on the external entity loader refuses every URL, so no
// parse can be talked into reading a local file or the network through a
// DTD or an entity; code that wants libxml2 to read a file hands it the bytes.
// libxml2's own messages no longer reach stderr (threads that used libxml2
// before this call keep theirs); parsers collect errors per document.
void Initialize();

QString ToQString(const xmlChar* text);
// The name with its prefix, as written: "dc:date".
QByteArray QualifiedName(const xmlNs* ns, const xmlChar* name);
// Appends "prefix:name" (or "name") to `out` without a temporary.
void AppendQualifiedName(QByteArray& out, const xmlNs* ns, const xmlChar* name);

// The text of an entity reference that points at no declaration: the
// character of its HTML name, as feeds use those names without declaring
// them (or a null array when HTML has no such name). Null for a reference
// to a declared entity.
QByteArray UndeclaredReplacement(const xmlNode* reference);

// Calls `visit` for `node` and for everything below it in document order,
// stepping into the replacement of each entity reference (and into an
// attribute's value), until `visit` returns false; false then. Iterative, so
// neither deep trees nor nested entities grow the call stack.
bool WalkExpanded(const xmlNode* node, const std::function<bool(const xmlNode*)>& visit);

} // namespace LibXml
