#pragma once

#include <QString>

class Skin;

// How the caption painter lays a skin's bitmaps out, from elements of
// "skin.xml" beside the skin's name and author. Every element may be left
// out, and a value that cannot be read counts as left out.
struct SkinStyle {
    // Stands for "as high as the caption bitmap" in the two end widths.
    static constexpr int CaptionHeight = -1;
    static constexpr int DefaultBorderWidth = 4;
    static constexpr int MaxBorderWidth = 16;

    // Pixels of the caption bitmap's left and right ends that are drawn as
    // they are; the band between them is stretched to the window's width.
    int CaptionLeft = CaptionHeight;
    int CaptionRight = CaptionHeight;
    // "#rrggbb" of the title and of the caption buttons' glyphs.
    QString CaptionTextColor = QStringLiteral("#ffffff");
    // Thickness of the border, and the size of the corners cut from the
    // border bitmap.
    int BorderWidth = DefaultBorderWidth;

    static SkinStyle Read(const Skin& skin);
};
