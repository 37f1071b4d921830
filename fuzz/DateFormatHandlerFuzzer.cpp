// Rewrites arbitrary date texts under every kind of format code, then reads
// the result the way the text and story-list readers do. The first character
// of the input is the code, the rest the date text.
#include "feeds/FeedDates.h"

#include "platform/BackgroundNotice.h"

#include <QString>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Unknown codes are expected; their notice would only flood the output.
    static const bool quiet = [] {
        BackgroundNotice::SetSink([](const QString&) {});
        return true;
    }();
    (void)quiet;
    const QString input =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString rewritten = FeedDates::DateFormatHandler(input.left(1), input.mid(1));
    (void)FeedDates::SafeDate(rewritten);
    return 0;
}
