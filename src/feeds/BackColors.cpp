#include "feeds/BackColors.h"

#include <QRandomGenerator>

#include <array>

namespace {

constexpr Long Rgb(int red, int green, int blue) {
    return red | green << 8 | blue << 16;
}

constexpr std::array<Long, 12> Tints = {Rgb(255, 255, 255), Rgb(255, 250, 230), Rgb(255, 240, 240),
                                        Rgb(240, 255, 240), Rgb(240, 248, 255), Rgb(248, 240, 255),
                                        Rgb(255, 245, 225), Rgb(230, 250, 250), Rgb(250, 250, 210),
                                        Rgb(255, 235, 245), Rgb(235, 240, 250), Rgb(245, 245, 245)};

} // namespace

namespace BackColors {

std::span<const Long> Palette() {
    return Tints;
}

Long RandomBackColor() {
    return Tints[QRandomGenerator::global()->bounded(static_cast<quint32>(Tints.size()))];
}

} // namespace BackColors
