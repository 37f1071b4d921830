#include "platform/LinkPolicy.h"

namespace LinkPolicy {

std::optional<QUrl> WebAddress(const QString& link, QUrl::ParsingMode mode) {
    const QUrl url(link.trimmed(), mode);
    const QString scheme = url.scheme(); // QUrl keeps schemes in lower case
    const bool web = scheme == QLatin1String("http") || scheme == QLatin1String("https");
    if (!url.isValid() || !web || url.host().isEmpty())
        return std::nullopt;
    return url;
}

} // namespace LinkPolicy
