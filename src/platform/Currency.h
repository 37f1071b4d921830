#pragma once

#include <QString>

#include <compare>
#include <optional>

// Fixed-point decimal with four places (a qint64 scaled by 10 000), used for
// font sizes and durations in seconds. Written with "." and at most four
// decimals, without trailing zeros ("1.5", "0", "-0.0001").
class Currency {
public:
    static constexpr qint64 Scale = 10000;

    Currency() = default;

    static Currency FromScaled(qint64 scaled);
    // Rounds to four places, halves to the even neighbour.
    static Currency FromDouble(double value);

    qint64 Scaled() const { return m_scaled; }
    double ToDouble() const;

    QString ToText() const;
    // Reads "." or "," as the decimal separator; more than four decimals are
    // rounded (halves to even). Empty, non-numeric or out-of-range text gives
    // nothing.
    static std::optional<Currency> FromText(const QString& text);

    auto operator<=>(const Currency&) const = default;

private:
    explicit Currency(qint64 scaled)
        : m_scaled(scaled) {}

    qint64 m_scaled = 0;
};
