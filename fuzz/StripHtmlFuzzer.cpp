// Feeds arbitrary text to the HTML stripper and the tag remover. Besides
// crashes and hangs it catches output that grows out of proportion to the
// input and surrogate halves split apart by the layout.
#include "feeds/HtmlText.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

// Every markup construct writes at most three characters per input character.
constexpr qsizetype MaxGrowth = 3;

void CheckStripped(const QString& html) {
    const QString text = HtmlText::StripHTML(html);
    if (text.size() > MaxGrowth * html.size() || !text.isValidUtf16())
        std::abort();
}

// Whatever remains may hold a "<", but no ">" after it.
void CheckTagsRemoved(const QString& html) {
    const QString text = HtmlText::RemoveTags(html);
    const qsizetype opener = text.indexOf(u'<');
    if (text.size() > html.size() || (opener >= 0 && text.indexOf(u'>', opener) >= 0))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString html =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    CheckStripped(html);
    CheckTagsRemoved(html);
    return 0;
}
