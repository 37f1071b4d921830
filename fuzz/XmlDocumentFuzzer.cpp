// Loads arbitrary bytes as XML the way feeds are loaded (recovering what is
// not well-formed) and reads every node the way feed parsing does. What a
// well-formed document writes must be well-formed, read back and write the
// same. A recovered document holds what libxml2's recovery made of broken
// text (a comment with "--", an attribute twice), which it writes as it is;
// that must read again when recovering.
#include "platform/XmlDocument.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

void ReadEverything(const XmlDocument& document) {
    std::vector<XmlNode> pending{document.DocumentElement()};
    while (!pending.empty()) {
        const XmlNode node = pending.back();
        pending.pop_back();
        static_cast<void>(node.NodeName());
        static_cast<void>(node.BaseName());
        static_cast<void>(node.TagName());
        static_cast<void>(node.NamespaceURI());
        static_cast<void>(node.Text());
        for (const XmlNode::Attribute& attribute : node.Attributes())
            static_cast<void>(node.GetAttribute(attribute.Name));
        for (const XmlNode& child : node.ChildNodes())
            pending.push_back(child);
    }
    static_cast<void>(document.SelectSingleNode(QStringLiteral("//node()[last()]|//@*")).Text());
}

// Bytes written by a document that read `bytes`. After one round the writing
// is stable: the first may still differ (a carriage return in text of white
// space alone is layout, written raw and read back as a line feed).
void CheckRoundTrip(const QByteArray& bytes) {
    XmlDocument first;
    XmlDocument second;
    if (!first.LoadXML(bytes) || !second.LoadXML(first.ToBytes()))
        std::abort();
    if (!first.LoadXML(second.ToBytes()) || first.ToBytes() != second.ToBytes())
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    XmlDocument document;
    if (!document.LoadXML(bytes, XmlDocument::Malformed::Recover))
        return 0;
    ReadEverything(document);
    if (!document.WasRecovered()) {
        CheckRoundTrip(document.ToBytes());
        return 0;
    }
    XmlDocument written;
    if (written.LoadXML(document.ToBytes(), XmlDocument::Malformed::Recover))
        ReadEverything(written);
    return 0;
}
