#include "feeds/FeedConstants.h"

#include <algorithm>

namespace FeedConstants {

const QString MoreoverDomain = QStringLiteral("moreover.com");
// No logo is configured: such providers keep the image they have.
const QString MoreoverLogoURL;
const QString KanoodleDomain = QStringLiteral("kanoodle.com");
const QStringList GroupArchiveBaseURLs = {QStringLiteral("http://groups.yahoo.com/group/"),
                                          QStringLiteral("http://www.egroups.com/group/"),
                                          QStringLiteral("http://www.topica.com/lists/")};

bool ContainsConstant(const QString& text, const QString& constant) {
    return !constant.isEmpty() && text.contains(constant);
}

bool StartsWithAny(const QString& text, const QStringList& prefixes) {
    return std::any_of(prefixes.begin(), prefixes.end(), [&text](const QString& prefix) {
        return !prefix.isEmpty() && text.startsWith(prefix);
    });
}

} // namespace FeedConstants
