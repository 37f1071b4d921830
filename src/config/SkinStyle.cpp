#include "config/SkinStyle.h"

#include "config/Skin.h"

#include <QRegularExpression>

namespace {

// A whole number from `low` to `high`, or `fallback`.
int Pixels(const QString& text, int low, int high, int fallback) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok && value >= low && value <= high ? value : fallback;
}

bool IsColour(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("^#[0-9a-fA-F]{6}$"));
    return pattern.match(text).hasMatch();
}

// Wider than any caption bitmap a skin would ship.
constexpr int MaxEndWidth = 2000;

} // namespace

SkinStyle SkinStyle::Read(const Skin& skin) {
    SkinStyle style;
    skin.VisitDescription([&style](const QString& name, const QString& text) {
        const QString value = text.trimmed();
        if (name == u"captionleft")
            style.CaptionLeft = Pixels(value, 0, MaxEndWidth, CaptionHeight);
        else if (name == u"captionright")
            style.CaptionRight = Pixels(value, 0, MaxEndWidth, CaptionHeight);
        else if (name == u"captiontextcolor" && IsColour(value))
            style.CaptionTextColor = value;
        else if (name == u"borderwidth")
            style.BorderWidth = Pixels(value, 1, MaxBorderWidth, DefaultBorderWidth);
    });
    return style;
}
