#include "retrieval/BodyDecoder.h"

#include <zlib.h>

#include <algorithm>

namespace {

constexpr qsizetype OutputBytes = 64 * 1024;
// Small bits join the last piece up to this size, so that a body dripping
// in does not cost a piece, with its overhead, for every few bytes.
constexpr qsizetype PieceBytes = 64 * 1024;
// The window bits that make zlib take a gzip or a zlib header alike.
constexpr int AnyHeader = MAX_WBITS + 32;
// The window bits for deflate data without a header.
constexpr int NoHeader = -MAX_WBITS;
// Enough of a stream to tell gzip, zlib and bare deflate data apart: zlib
// checks its header once it has the first two bytes.
constexpr qsizetype OpeningBytes = 2;
constexpr QByteArrayView GzipMagic("\x1F\x8B", 2);

void Keep(QByteArrayList& pieces, QByteArrayView bytes) {
    if (bytes.isEmpty())
        return;
    if (!pieces.isEmpty() && pieces.constLast().size() + bytes.size() <= PieceBytes)
        pieces.last().append(bytes);
    else
        pieces.append(bytes.toByteArray());
}

} // namespace

BodyDecoder::BodyDecoder(const QByteArray& contentEncoding)
    : m_kind(Kind::Unknown) {
    const QByteArray encoding = contentEncoding.trimmed().toLower();
    if (encoding.isEmpty() || encoding == "identity") {
        m_kind = Kind::Identity;
    } else if (encoding == "gzip" || encoding == "x-gzip" || encoding == "deflate") {
        m_deflate = encoding == "deflate";
        m_stream = std::make_unique<z_stream_s>();
        if (inflateInit2(m_stream.get(), AnyHeader) == Z_OK) {
            m_kind = Kind::Zlib;
            m_output = QByteArray(OutputBytes, Qt::Uninitialized);
        } else {
            m_stream.reset();
        }
    }
}

BodyDecoder::~BodyDecoder() {
    if (m_stream)
        inflateEnd(m_stream.get());
}

bool BodyDecoder::Append(QByteArrayView bytes, QByteArrayList& pieces, qint64 limit) {
    if (m_kind == Kind::Identity) {
        Keep(pieces, bytes);
        m_decoded += bytes.size();
        return true;
    }
    if (m_kind == Kind::Unknown)
        return false;
    m_started = m_started || !bytes.isEmpty();
    while (!bytes.isEmpty() && m_decoded <= limit) {
        if (m_opening.size() < OpeningBytes) {
            const qsizetype taken = std::min(bytes.size(), OpeningBytes - m_opening.size());
            m_opening += bytes.first(taken);
            bytes = bytes.sliced(taken);
            if (m_opening.size() == OpeningBytes && !Open(pieces, limit))
                return false;
        } else if (m_ended) {
            // Whatever follows the end of the stream is no part of the
            // body: browsers ignore it too, and servers that pad their
            // answers would otherwise fail.
            return true;
        } else if (!Inflate(bytes, pieces, limit)) {
            return false;
        }
    }
    return true;
}

// Starts on the stream the opening bytes begin: the next member of a gzip
// body, or the first stream, which may be bare deflate data.
bool BodyDecoder::Open(QByteArrayList& pieces, qint64 limit) {
    if (m_ended) {
        if (m_opening != GzipMagic)
            return true;
        inflateReset(m_stream.get());
        m_ended = false;
    }
    QByteArrayView opening(m_opening);
    if (Inflate(opening, pieces, limit))
        return true;
    opening = m_opening;
    return m_deflate && inflateReset2(m_stream.get(), NoHeader) == Z_OK &&
           Inflate(opening, pieces, limit);
}

// Inflates `bytes` until they are used up, the stream ends or more than
// `limit` bytes were decoded; `bytes` is left at what was not used.
bool BodyDecoder::Inflate(QByteArrayView& bytes, QByteArrayList& pieces, qint64 limit) {
    m_stream->next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    m_stream->avail_in = static_cast<uInt>(bytes.size());
    int result = Z_OK;
    do {
        m_stream->next_out = reinterpret_cast<Bytef*>(m_output.data());
        m_stream->avail_out = static_cast<uInt>(m_output.size());
        result = inflate(m_stream.get(), Z_NO_FLUSH);
        const qsizetype produced = m_output.size() - m_stream->avail_out;
        Keep(pieces, QByteArrayView(m_output).first(produced));
        m_decoded += produced;
    } while (result == Z_OK && (m_stream->avail_in > 0 || m_stream->avail_out == 0) &&
             m_decoded <= limit);
    bytes = bytes.last(m_stream->avail_in);
    if (result == Z_STREAM_END) {
        m_ended = true;
        // A gzip body may hold several members, one after the other.
        if (m_opening == GzipMagic)
            m_opening.clear();
    }
    // Z_BUF_ERROR: all input taken and no output pending.
    return result == Z_OK || result == Z_STREAM_END || result == Z_BUF_ERROR;
}

bool BodyDecoder::Complete() const {
    return m_kind == Kind::Identity || m_ended || !m_started;
}
