#include "model/TitleHash.h"

#include "platform/Windows1252.h"

qint32 TitleHash(const QString& text) {
    constexpr qint32 Limit = 429496678;
    constexpr qint32 Divisor = 57;
    qint32 hash = 0;
    for (const QChar c : text) {
        if (hash > Limit)
            hash = (hash + Divisor / 2) / Divisor; // the divisor is odd: no ties to break
        else
            hash = hash * 5 + Windows1252::Code(c);
    }
    return hash;
}
