#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QByteArrayView>

#include <memory>

struct z_stream_s;

// Undoes an answer's Content-Encoding piece by piece as the body arrives,
// so that the cap on a body holds for what it decodes to (a small
// compressed answer can decode to gigabytes) and a compressed stream that
// was cut short shows as such. The body is kept as a list of pieces sized
// to what they hold, however small the bits it arrives in.
class BodyDecoder {
public:
    // The encodings to ask servers for.
    static QByteArray Accepted() { return QByteArrayLiteral("gzip, deflate"); }

    explicit BodyDecoder(const QByteArray& contentEncoding);
    ~BodyDecoder();

    BodyDecoder(const BodyDecoder&) = delete;
    BodyDecoder& operator=(const BodyDecoder&) = delete;

    // Adds what `bytes` decode to at the end of `pieces`, stopping once
    // more than `limit` bytes were decoded in all. False when they are not
    // of the encoding, or it is unknown.
    bool Append(QByteArrayView bytes, QByteArrayList& pieces, qint64 limit);
    // What everything given so far decoded to, in bytes.
    qint64 DecodedSize() const { return m_decoded; }
    // Everything given so far made a whole stream; always for a body that
    // is not encoded.
    bool Complete() const;

private:
    enum class Kind { Identity, Zlib, Unknown };

    bool Open(QByteArrayList& pieces, qint64 limit);
    bool Inflate(QByteArrayView& bytes, QByteArrayList& pieces, qint64 limit);

    Kind m_kind;
    // Named "deflate", which many servers send without zlib's header.
    bool m_deflate = false;
    std::unique_ptr<z_stream_s> m_stream;
    // Where every round of inflating writes, before it is kept.
    QByteArray m_output;
    // The first two bytes of the stream being decoded, which tell its kind.
    QByteArray m_opening;
    qint64 m_decoded = 0;
    bool m_started = false;
    bool m_ended = false;
};
