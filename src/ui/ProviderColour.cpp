#include "ui/ProviderColour.h"

#include <cmath>

namespace {

// The share of one sRGB channel in the light the eye sees.
double Linear(double channel) {
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

double RelativeLuminance(const QColor& colour) {
    return 0.2126 * Linear(colour.redF()) + 0.7152 * Linear(colour.greenF()) +
           0.0722 * Linear(colour.blueF());
}

// Above this luminance black text has the higher contrast ratio (luminances
// offset by 0.05 and divided), below it white text has.
const double EqualContrast = std::sqrt(1.05 * 0.05) - 0.05;

} // namespace

namespace ProviderColour {

QColor FromPacked(Long packed) {
    return QColor(packed & 0xFF, (packed >> 8) & 0xFF, (packed >> 16) & 0xFF);
}

Long Packed(const QColor& colour) {
    return colour.red() | (colour.green() << 8) | (colour.blue() << 16);
}

bool IsDark(const QColor& colour) {
    return RelativeLuminance(colour) < EqualContrast;
}

QColor TextOn(const QColor& back) {
    return IsDark(back) ? QColor(Qt::white) : QColor(Qt::black);
}

} // namespace ProviderColour
