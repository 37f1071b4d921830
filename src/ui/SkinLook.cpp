#include "ui/SkinLook.h"

#include "config/Skin.h"
#include "config/SkinStyle.h"

#include <algorithm>

namespace {

// A caption lower than this leaves no room for the title and the buttons.
constexpr int MinCaptionHeight = 18;
constexpr int MaxCaptionHeight = 64;

QPixmap Bitmap(const Skin& skin, const QString& directory, const char* file) {
    const QString path = skin.FilePath(directory, QString::fromLatin1(file));
    return path.isEmpty() ? QPixmap() : QPixmap(path);
}

int EndWidth(int wanted, int height, int available) {
    return std::clamp(wanted == SkinStyle::CaptionHeight ? height : wanted, 0, available);
}

} // namespace

std::shared_ptr<const SkinLook> SkinLook::Load(const Skin& skin, const QString& directory) {
    auto look = std::make_shared<SkinLook>();
    const SkinStyle style = SkinStyle::Read(skin);
    look->m_caption = Bitmap(skin, directory, Skin::CaptionBarFile);
    look->m_borders = Bitmap(skin, directory, Skin::BordersFile);
    look->m_textColor = QColor(style.CaptionTextColor);
    // The stretched band keeps at least one column.
    const int half = std::max(0, (look->m_caption.width() - 1) / 2);
    look->m_captionLeft = EndWidth(style.CaptionLeft, look->CaptionHeight(), half);
    look->m_captionRight = EndWidth(style.CaptionRight, look->CaptionHeight(), half);
    // Corners cut from the bitmap must leave an edge between them.
    const int smaller = std::min(look->m_borders.width(), look->m_borders.height());
    look->m_borderWidth = look->m_borders.isNull()
                              ? style.BorderWidth
                              : std::clamp(style.BorderWidth, 1, std::max(1, (smaller - 1) / 2));
    return look;
}

int SkinLook::CaptionHeight() const {
    return std::clamp(m_caption.height(), MinCaptionHeight, MaxCaptionHeight);
}
