#pragma once

#include <QByteArray>

// What varnocet-read --xml prints about a document: how the XML layer reads
// it strictly and as feeds are read (the bytes mended for that reading where
// they change), the tree of nodes it yields and the document written back.
// Where the written form would read as another tree, or write as other
// bytes, the report says so: writing a document back must not change it.
namespace XmlReport {

QByteArray AsJson(const QByteArray& bytes);

} // namespace XmlReport
