#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Bytes of a text feed as text. The charset the server names wins, except
// that a name of Windows-1252, ISO-8859-1 or US-ASCII (which servers give
// whatever the text is) reads like no name: UTF-8 when the bytes are valid
// UTF-8, else Windows-1252, what older servers that name nothing mostly send.
namespace TextDecoding {

QString Decode(const QByteArray& bytes, const QString& charset);

// Whether `bytes` are well-formed UTF-8: no stray or missing continuation
// bytes, no overlong forms, surrogates or values beyond Unicode.
bool IsUtf8(QByteArrayView bytes);

} // namespace TextDecoding
