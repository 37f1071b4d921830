// Feeds arbitrary text to the entity decoders. A reference never decodes to
// more characters than it is written with, and decoding must never produce
// broken UTF-16 (lone surrogates from numeric references).
#include "feeds/HtmlText.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void CheckDecoded(const QString& text) {
    const QString decoded = HtmlText::DecodeEntities(text);
    if (decoded.size() > text.size() || !decoded.isValidUtf16())
        std::abort();
}

// The text taken as one reference name, as the stripper looks it up.
void CheckName(const QString& text) {
    if (!HtmlText::DecodeEntity(text).isValidUtf16() ||
        !HtmlText::DecodeEntityReference(u'&' + text + u';').isValidUtf16())
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    CheckDecoded(text);
    CheckName(text);
    return 0;
}
