#include "retrieval/BodyDecoder.h"

#include "support/TestHttpServer.h"

#include <QtEndian>

#include <gtest/gtest.h>

#include <zlib.h>

namespace {

qsizetype Capacity(const QByteArrayList& pieces) {
    qsizetype capacity = 0;
    for (const QByteArray& piece : pieces)
        capacity += piece.capacity();
    return capacity;
}

QByteArrayList Split(const QByteArray& bytes, qsizetype size) {
    QByteArrayList bits;
    for (qsizetype at = 0; at < bytes.size(); at += size)
        bits += bytes.mid(at, size);
    return bits;
}

// A zlib stream of stored blocks, as a server that flushes after every few
// bytes sends it: mostly empty blocks, with one byte in every hundredth.
QByteArrayList DrippedBlocks(const QByteArray& text) {
    QByteArrayList bits = {QByteArray("\x78\x01", 2)};
    for (const char c : text) {
        for (int i = 0; i < 99; ++i)
            bits += QByteArray("\x00\x00\x00\xFF\xFF", 5);
        bits += QByteArray("\x00\x01\x00\xFE\xFF", 5) + c;
    }
    const auto check = qToBigEndian(static_cast<quint32>(
        adler32(1, reinterpret_cast<const Bytef*>(text.constData()), uInt(text.size()))));
    bits += QByteArray("\x01\x00\x00\xFF\xFF", 5) +
            QByteArray(reinterpret_cast<const char*>(&check), sizeof check);
    return bits;
}

} // namespace

// A body can come in bits that decode to nothing or next to nothing for as
// long as the server likes: what it holds follows what it decodes to, not
// the number of bits.
TEST(BodyDecoderTest, HeldMemoryFollowsTheDecodedSize) {
    QByteArray feed;
    for (int i = 0; i < 20000; ++i)
        feed += "<item>" + QByteArray::number(i * 7919 % 10007) + "</item>\n";
    const QByteArray headline = "a headline dripped in, one byte at a time";
    const struct {
        const char* Name;
        const char* Encoding;
        QByteArrayList Bits;
        QByteArray Text;
    } cases[] = {
        {"empty blocks", "deflate", DrippedBlocks(headline), headline},
        {"gzip in small bits", "gzip",
         Split(TestHttpServer::Compress(feed, TestHttpServer::Wrapper::Gzip), 7), feed},
        {"plain in small bits", "", Split(feed, 3), feed},
    };
    constexpr qsizetype HalfPiece = 32 * 1024;
    for (const auto& c : cases) {
        BodyDecoder decoder(c.Encoding);
        QByteArrayList pieces;
        for (const QByteArray& bit : c.Bits)
            ASSERT_TRUE(decoder.Append(bit, pieces, qint64(1) << 30)) << c.Name;
        EXPECT_TRUE(decoder.Complete()) << c.Name;
        EXPECT_EQ(pieces.join(), c.Text) << c.Name;
        EXPECT_EQ(decoder.DecodedSize(), c.Text.size()) << c.Name;
        EXPECT_LE(pieces.size(), c.Text.size() / HalfPiece + 1) << c.Name;
        EXPECT_LE(Capacity(pieces), 2 * c.Text.size() + 64 * pieces.size()) << c.Name;
    }
}
