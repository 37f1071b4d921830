#pragma once

#include <QWidget>

#include <memory>

class SkinLook;

// The border of a skinned window, drawn from the skin's border bitmap cut
// in nine: the corners as they are, the edges stretched along the sides. It
// lies under the window's contents, which leave the border's width free,
// and pressing on it resizes the window by that edge or corner.
class SkinBorder : public QWidget {
    Q_OBJECT

public:
    SkinBorder(QWidget& window, std::shared_ptr<const SkinLook> look);

    void SetLook(std::shared_ptr<const SkinLook> look);
    // The edges a press at `position` resizes by; none inside the border.
    Qt::Edges EdgesAt(const QPoint& position) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void PaintSlices(QPainter& painter, const QPixmap& bitmap, int border);

    std::shared_ptr<const SkinLook> m_look;
};
