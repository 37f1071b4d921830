// Feeds arbitrary text to the scan for a page's feed links. Besides crashes
// and hangs it catches links that are no web address and more links than
// the page has tags.
#include "feeds/FeedLinks.h"
#include "platform/LinkPolicy.h"

#include <QString>
#include <QUrl>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString html =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    static const QUrl page(QStringLiteral("https://news.example/blog/post.html"));
    const QList<FeedLink> links = FeedLinks::InPage(html, page);
    if (links.size() > html.count(u'<'))
        std::abort();
    for (const FeedLink& link : links) {
        if (!LinkPolicy::WebAddress(link.Address) || !link.Title.isValidUtf16())
            std::abort();
    }
    return 0;
}
