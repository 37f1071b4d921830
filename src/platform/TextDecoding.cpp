#include "platform/TextDecoding.h"

#include "platform/Windows1252.h"

#include <QStringDecoder>

namespace {

bool IsWindows1252(const QString& charset) {
    return charset.compare(QLatin1String("windows-1252"), Qt::CaseInsensitive) == 0 ||
           charset.compare(QLatin1String("cp1252"), Qt::CaseInsensitive) == 0;
}

QString FromWindows1252(const QByteArray& bytes) {
    QString text;
    text.reserve(bytes.size());
    for (const char byte : bytes)
        text.append(Windows1252::Character(static_cast<unsigned char>(byte)));
    return text;
}

} // namespace

namespace TextDecoding {

QString Decode(const QByteArray& bytes, const QString& charset) {
    const QString name = charset.trimmed();
    if (IsWindows1252(name))
        return FromWindows1252(bytes);
    if (!name.isEmpty()) {
        QStringDecoder named(name.toLatin1().constData());
        if (named.isValid())
            return named.decode(bytes);
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    return utf8.hasError() ? FromWindows1252(bytes) : text;
}

} // namespace TextDecoding
