#pragma once

#include <QtGlobal>

// Window geometry is stored in twips (1/1440 inch). Qt's logical pixels are
// 1/96 inch whatever the screen's real density, so the factor is fixed.
namespace Twips {

constexpr qint32 PerPixel = 15;

constexpr qint32 FromPixels(int pixels) {
    return pixels * PerPixel;
}

constexpr int ToPixels(qint32 twips) {
    // Round half away from zero, so stored values that are not multiples of
    // 15 (written by hand or by another program) land on the nearest pixel.
    return twips >= 0 ? (twips + PerPixel / 2) / PerPixel : -((-twips + PerPixel / 2) / PerPixel);
}

} // namespace Twips
