#pragma once

#include <QColor>
#include <QPixmap>
#include <QString>

#include <memory>

class Skin;

// A skin's bitmaps and layout, loaded once and shared by every window that
// wears it. A bitmap that cannot be read is left null, and the frame is
// then drawn in the desktop palette's colours, so the window stays usable.
class SkinLook {
public:
    static std::shared_ptr<const SkinLook> Load(const Skin& skin, const QString& directory);

    const QPixmap& Caption() const { return m_caption; }
    const QPixmap& Borders() const { return m_borders; }
    const QColor& TextColor() const { return m_textColor; }
    int CaptionHeight() const;
    // The caption bitmap's ends drawn as they are, never more than the
    // bitmap holds.
    int CaptionLeft() const { return m_captionLeft; }
    int CaptionRight() const { return m_captionRight; }
    int BorderWidth() const { return m_borderWidth; }

private:
    QPixmap m_caption;
    QPixmap m_borders;
    QColor m_textColor;
    int m_captionLeft = 0;
    int m_captionRight = 0;
    int m_borderWidth = 0;
};
