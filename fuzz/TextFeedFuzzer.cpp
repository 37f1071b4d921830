// Feeds arbitrary layouts and bodies to the text-format reader. The first
// line is the provider's TextFormatSpec, the rest the response text: a spec
// is typed by users, so no spec may hang the reader or make it index outside
// a story's lines.
#include "feeds/TextFeedReader.h"
#include "model/Provider.h"
#include "model/StoryCollection.h"
#include "platform/BackgroundNotice.h"

#include <QString>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Unknown date codes are reported; the reports are of no interest here.
    BackgroundNotice::SetSink([](const QString&) {});
    const QString input =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const qsizetype lineEnd = input.indexOf(QLatin1Char('\n'));
    Provider provider;
    provider.SiteURL = QStringLiteral("http://example.com/");
    provider.TextFormatSpec = input.left(lineEnd < 0 ? input.size() : lineEnd);
    StoryCollection stories;
    TextFeedReader::ReadStories(provider, stories,
                                lineEnd < 0 ? QString() : input.mid(lineEnd + 1));
    return 0;
}
