#pragma once

#include <QByteArray>
#include <QString>

// Bytes of a text feed as text. The charset the server names wins; without
// one, UTF-8 when the bytes are valid UTF-8, else Windows-1252, which is
// what older servers that name nothing mostly send.
namespace TextDecoding {

QString Decode(const QByteArray& bytes, const QString& charset);

} // namespace TextDecoding
