#include "platform/Currency.h"

#include "platform/ProgramError.h"
#include "platform/TextConversion.h"

#include <array>
#include <charconv>
#include <cmath>

namespace {

constexpr int Places = 4;

// Beyond this no double lands inside the range; below it the fixed notation
// of any double, down to the smallest subnormal, fits the buffer.
constexpr double MagnitudeBound = 1e15;

[[noreturn]] void ThrowOutOfRange(double value) {
    throw ProgramError(QStringLiteral("%1 is out of the range of Currency").arg(value));
}

} // namespace

Currency Currency::FromScaled(qint64 scaled) {
    return Currency(scaled);
}

Currency Currency::FromDouble(double value) {
    // Rounding the shortest decimal text of the double, not its binary value,
    // lets 0.00015 round to 0.0002 as written rather than down as stored.
    if (!std::isfinite(value) || std::abs(value) >= MagnitudeBound)
        ThrowOutOfRange(value);
    std::array<char, 400> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed);
    const QString text = QString::fromLatin1(buffer.data(), result.ptr - buffer.data());
    const std::optional<qint64> scaled = TextConversion::ToScaledDecimal(text, Places, u".");
    if (!scaled)
        ThrowOutOfRange(value);
    return Currency(*scaled);
}

double Currency::ToDouble() const {
    return static_cast<double>(m_scaled) / Scale;
}

QString Currency::ToText() const {
    // Unsigned so that the most negative value has a magnitude.
    const auto unsignedScaled = static_cast<quint64>(m_scaled);
    const quint64 magnitude = m_scaled < 0 ? 0 - unsignedScaled : unsignedScaled;
    QString text = QString::number(magnitude / Scale);
    if (const quint64 fraction = magnitude % Scale; fraction != 0) {
        QString decimals = QStringLiteral("%1").arg(fraction, Places, 10, QChar(u'0'));
        while (decimals.endsWith(u'0'))
            decimals.chop(1);
        text += u'.' + decimals;
    }
    return m_scaled < 0 ? u'-' + text : text;
}

std::optional<Currency> Currency::FromText(const QString& text) {
    // Both separators, because files written under a comma locale hold "1,5".
    const std::optional<qint64> scaled = TextConversion::ToScaledDecimal(text, Places, u".,");
    if (!scaled)
        return std::nullopt;
    return Currency(*scaled);
}
