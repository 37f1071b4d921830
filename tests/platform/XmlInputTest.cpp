#include "platform/XmlInput.h"

#include <gtest/gtest.h>

namespace {

QByteArray Repeated(const char* text, qsizetype times) {
    return QByteArray(text).repeated(times);
}

QByteArray Declared(const char* encoding, const QByteArray& document) {
    return QByteArray("<?xml version=\"1.0\" encoding=\"") + encoding + "\"?>" + document;
}

} // namespace

// What the recovering parse is given: each document beside the bytes it is
// mended to.
TEST(XmlInputForRecovery, MendsWhatNeedsNoGuessing) {
    // Elements nested below the depth libxml2 reads.
    const QByteArray shallow = Repeated("<a>", 200);
    const QByteArray deep = Repeated("<a>", 300);
    // Two-byte characters whose bytes are "<&", "4A" and "</".
    const QByteArray japanese = "\x1b$B<&4A</\x1b(B";
    const struct {
        QByteArray xml;
        QByteArray mended;
    } cases[] = {
        // Forbidden control characters go wherever they are; line breaks stay.
        {"<d><![CDATA[before \x0b after <b>x</b>]]></d>",
         "<d><![CDATA[before  after <b>x</b>]]></d>"},
        {"<r>a\x01<!--b\x02\nc--><?p d\x1f?>\r\n<!DOCTYPE r\x0e>e</r>",
         "<r>a<!--b\nc--><?p d?>\r\n<!DOCTYPE r>e</r>"},
        // Outside UTF-8 a control byte may belong to the encoding.
        {Declared("ISO-8859-2", "<r><![CDATA[\x01]]>\x02&</r>"),
         Declared("ISO-8859-2", "<r><![CDATA[\x01]]>\x02&amp;</r>")},
        // In a stateful seven-bit encoding the bytes of markup occur inside
        // characters: nothing is mended.
        {Declared("ISO-2022-JP", "<r>" + japanese + " & </b>\x01</r>"),
         Declared("ISO-2022-JP", "<r>" + japanese + " & </b>\x01</r>")},
        {Declared("x-unknown-iso-2022", "<r>" + japanese + "</r>"),
         Declared("x-unknown-iso-2022", "<r>" + japanese + "</r>")},
        // A declaration ends at its ">" unless an internal subset follows.
        {Repeated("<!a>", 100) + "<r>1 < 2 [&]</r>",
         Repeated("<!a>", 100) + "<r>1 &lt; 2 [&amp;]</r>"},
        {"<!DOCTYPE r [<!ENTITY e \"a>b\">]><r>&e; & </r>",
         "<!DOCTYPE r [<!ENTITY e \"a>b\">]><r>&e; &amp; </r>"},
        // End tags naming no open element go; the first that names one closes
        // what is still open inside it.
        {"<r>" + shallow + Repeated("</b>", 200) + "<b>" + Repeated("</a>", 200) + "</r>",
         "<r>" + shallow + "<b></b>" + Repeated("</a>", 200) + "</r>"},
        // Past the depth libxml2 reads nothing is mended.
        {deep + "<b>" + Repeated("</a>", 300), deep + "<b>" + Repeated("</a>", 300)},
    };
    for (const auto& c : cases) {
        const XmlInput::Input mended = XmlInput::ForRecovery(XmlInput::Prepare(c.xml));
        EXPECT_EQ(mended.Bytes.sliced(mended.Offset).toStdString(), c.mended.toStdString())
            << c.xml.left(120).toStdString();
    }
}
