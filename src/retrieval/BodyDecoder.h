#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <memory>

struct z_stream_s;

// Undoes an answer's Content-Encoding piece by piece as the body arrives,
// so that the cap on a body holds for what it decodes to (a small
// compressed answer can decode to gigabytes) and a compressed stream that
// was cut short shows as such.
class BodyDecoder {
public:
    // The encodings to ask servers for.
    static QByteArray Accepted() { return QByteArrayLiteral("gzip, deflate"); }

    explicit BodyDecoder(const QByteArray& contentEncoding);
    ~BodyDecoder();

    BodyDecoder(const BodyDecoder&) = delete;
    BodyDecoder& operator=(const BodyDecoder&) = delete;

    // Appends what `bytes` decode to, stopping once `body` has grown past
    // `limit`. False when they are not of the encoding, or it is unknown.
    bool Append(QByteArrayView bytes, QByteArray& body, qint64 limit);
    // Everything given so far made a whole stream; always for a body that
    // is not encoded.
    bool Complete() const;

private:
    enum class Kind { Identity, Zlib, Unknown };

    Kind m_kind;
    std::unique_ptr<z_stream_s> m_stream;
    bool m_started = false;
    bool m_ended = false;
};
