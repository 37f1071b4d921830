#include "platform/TextConversion.h"

#include "platform/ProgramError.h"

#include <algorithm>
#include <limits>

namespace TextConversion {

namespace {

bool IsDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

bool AllDigits(QStringView text) {
    return std::all_of(text.begin(), text.end(), IsDigit);
}

int DigitValue(QChar c) {
    return c.unicode() - u'0';
}

// Accumulates the magnitude unsigned so that the most negative qint64, whose
// magnitude has no positive counterpart, still reads.
class Magnitude {
public:
    explicit Magnitude(bool negative)
        : m_limit(static_cast<quint64>(std::numeric_limits<qint64>::max()) + (negative ? 1 : 0)) {}

    bool Append(int digit) {
        const auto d = static_cast<quint64>(digit);
        if (m_value > (m_limit - d) / 10)
            return false;
        m_value = m_value * 10 + d;
        return true;
    }
    bool Increment() {
        if (m_value == m_limit)
            return false;
        ++m_value;
        return true;
    }
    bool IsOdd() const { return (m_value & 1U) != 0; }
    qint64 Signed(bool negative) const {
        // Unsigned negation wraps by definition; the conversion back is
        // modular since C++20.
        return static_cast<qint64>(negative ? 0 - m_value : m_value);
    }

private:
    quint64 m_limit;
    quint64 m_value = 0;
};

// Whether the digits dropped after the last kept one round it up.
bool RoundsUp(QStringView dropped, bool keptIsOdd) {
    if (dropped.isEmpty() || dropped.front() < u'5')
        return false;
    if (dropped.front() > u'5')
        return true;
    const QStringView rest = dropped.sliced(1);
    const bool exactHalf = std::all_of(rest.begin(), rest.end(), [](QChar c) { return c == u'0'; });
    return !exactHalf || keptIsOdd;
}

std::optional<qint64> Scale(bool negative, QStringView whole, QStringView fraction, int places) {
    Magnitude magnitude(negative);
    for (const QChar c : whole) {
        if (!magnitude.Append(DigitValue(c)))
            return std::nullopt;
    }
    const qsizetype kept = std::min<qsizetype>(places, fraction.size());
    for (qsizetype i = 0; i < places; ++i) {
        if (!magnitude.Append(i < kept ? DigitValue(fraction[i]) : 0))
            return std::nullopt;
    }
    if (RoundsUp(fraction.sliced(kept), magnitude.IsOdd()) && !magnitude.Increment())
        return std::nullopt;
    return magnitude.Signed(negative);
}

[[noreturn]] void ThrowCannotConvert(const QString& text, const QString& typeName) {
    throw ProgramError(QStringLiteral("\"%1\" cannot be converted to %2").arg(text, typeName));
}

template <typename T>
T ToBoundedInteger(const QString& text, const QString& typeName) {
    const std::optional<qint64> value = ToScaledDecimal(text, 0, u".");
    if (!value || *value < std::numeric_limits<T>::min() || *value > std::numeric_limits<T>::max())
        ThrowCannotConvert(text, typeName);
    return static_cast<T>(*value);
}

} // namespace

std::optional<qint64> ToScaledDecimal(QStringView text, int places, QStringView separators) {
    text = text.trimmed();
    const bool negative = text.startsWith(u'-');
    if (negative || text.startsWith(u'+'))
        text = text.sliced(1);
    const auto separator = std::find_if(text.begin(), text.end(),
                                        [separators](QChar c) { return separators.contains(c); });
    const QStringView whole(text.begin(), separator);
    const QStringView fraction =
        separator == text.end() ? QStringView() : QStringView(separator + 1, text.end());
    if ((whole.isEmpty() && fraction.isEmpty()) || !AllDigits(whole) || !AllDigits(fraction))
        return std::nullopt;
    return Scale(negative, whole, fraction, places);
}

QString FromBoolean(bool value) {
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

bool ToBoolean(const QString& text) {
    const QStringView trimmed = QStringView(text).trimmed();
    if (trimmed.compare(u"true", Qt::CaseInsensitive) == 0)
        return true;
    if (trimmed.compare(u"false", Qt::CaseInsensitive) == 0)
        return false;
    if (!ToScaledDecimal(trimmed, 0, u"."))
        ThrowCannotConvert(text, QStringLiteral("Boolean"));
    // Any number but zero is true, including fractions that would round to 0.
    return std::any_of(trimmed.begin(), trimmed.end(),
                       [](QChar c) { return c >= u'1' && c <= u'9'; });
}

Integer ToInteger(const QString& text) {
    return ToBoundedInteger<Integer>(text, QStringLiteral("Integer"));
}

Long ToLong(const QString& text) {
    return ToBoundedInteger<Long>(text, QStringLiteral("Long"));
}

qint64 ToInt64(const QString& text) {
    return ToBoundedInteger<qint64>(text, QStringLiteral("a 64-bit integer"));
}

Currency ToCurrency(const QString& text) {
    const std::optional<Currency> value = Currency::FromText(text);
    if (!value)
        ThrowCannotConvert(text, QStringLiteral("Currency"));
    return *value;
}

Date ToDate(const QString& text) {
    const std::optional<Date> value = Date::FromText(text);
    if (!value)
        ThrowCannotConvert(text, QStringLiteral("Date"));
    return *value;
}

QString ToText(bool value) {
    return FromBoolean(value);
}
QString ToText(qint16 value) {
    return QString::number(value);
}
QString ToText(qint32 value) {
    return QString::number(value);
}
QString ToText(qint64 value) {
    return QString::number(value);
}
QString ToText(const Currency& value) {
    return value.ToText();
}
QString ToText(const Date& value) {
    return value.ToText();
}
QString ToText(const QString& value) {
    return value;
}

void FromText(const QString& text, bool& value) {
    value = ToBoolean(text);
}
void FromText(const QString& text, qint16& value) {
    value = ToInteger(text);
}
void FromText(const QString& text, qint32& value) {
    value = ToLong(text);
}
void FromText(const QString& text, qint64& value) {
    value = ToInt64(text);
}
void FromText(const QString& text, Currency& value) {
    value = ToCurrency(text);
}
void FromText(const QString& text, Date& value) {
    value = ToDate(text);
}
void FromText(const QString& text, QString& value) {
    value = text;
}

} // namespace TextConversion
