#pragma once

#include <QString>

namespace UrlEncoding {

// Percent-encodes the UTF-8 bytes of `text`, keeping only ASCII letters and
// digits, so the result is safe in any part of an address (a query value, a
// mailto body). A blank becomes "+" when `spaceAsPlus` is set.
QString URLEncode(const QString& text, bool spaceAsPlus);

} // namespace UrlEncoding
