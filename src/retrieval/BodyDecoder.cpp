#include "retrieval/BodyDecoder.h"

#include <zlib.h>

namespace {

constexpr qsizetype OutputPiece = 64 * 1024;
// The window bits that make zlib take a gzip or a zlib header alike.
constexpr int AnyHeader = MAX_WBITS + 32;

} // namespace

BodyDecoder::BodyDecoder(const QByteArray& contentEncoding)
    : m_kind(Kind::Unknown) {
    const QByteArray encoding = contentEncoding.trimmed().toLower();
    if (encoding.isEmpty() || encoding == "identity") {
        m_kind = Kind::Identity;
    } else if (encoding == "gzip" || encoding == "x-gzip" || encoding == "deflate") {
        m_stream = std::make_unique<z_stream_s>();
        if (inflateInit2(m_stream.get(), AnyHeader) == Z_OK)
            m_kind = Kind::Zlib;
        else
            m_stream.reset();
    }
}

BodyDecoder::~BodyDecoder() {
    if (m_stream)
        inflateEnd(m_stream.get());
}

bool BodyDecoder::Append(QByteArrayView bytes, QByteArray& body, qint64 limit) {
    if (m_kind == Kind::Identity) {
        body.append(bytes);
        return true;
    }
    if (m_kind == Kind::Unknown)
        return false;
    // Whatever follows the end of the stream is no part of the body.
    if (m_ended || bytes.isEmpty())
        return true;
    m_started = true;
    m_stream->next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    m_stream->avail_in = static_cast<uInt>(bytes.size());
    do {
        const qsizetype start = body.size();
        body.resize(start + OutputPiece);
        m_stream->next_out = reinterpret_cast<Bytef*>(body.data() + start);
        m_stream->avail_out = static_cast<uInt>(OutputPiece);
        const int result = inflate(m_stream.get(), Z_NO_FLUSH);
        body.resize(body.size() - m_stream->avail_out);
        if (result == Z_STREAM_END) {
            m_ended = true;
            return true;
        }
        // Z_BUF_ERROR: all input taken and no output pending.
        if (result != Z_OK && result != Z_BUF_ERROR)
            return false;
    } while ((m_stream->avail_in > 0 || m_stream->avail_out == 0) && body.size() <= limit);
    return true;
}

bool BodyDecoder::Complete() const {
    return m_kind == Kind::Identity || m_ended || !m_started;
}
