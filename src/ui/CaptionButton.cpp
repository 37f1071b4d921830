#include "ui/CaptionButton.h"

#include <QPainter>
#include <QPainterPath>

namespace {

// The colour desktops give a close button under the pointer: it warns that
// the window goes.
const QColor CloseHover(0xc4, 0x2b, 0x1c);

} // namespace

CaptionButton::CaptionButton(Glyph glyph, QWidget* parent)
    : QAbstractButton(parent)
    , m_glyph(glyph) {
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::ArrowCursor);
}

void CaptionButton::SetGlyph(Glyph glyph) {
    m_glyph = glyph;
    update();
}

void CaptionButton::SetColor(const QColor& color) {
    m_color = color;
    update();
}

QSize CaptionButton::sizeHint() const {
    const int side = parentWidget() != nullptr ? parentWidget()->height() : 24;
    return {side * 3 / 2, side};
}

void CaptionButton::enterEvent(QEnterEvent* event) {
    m_hovered = true;
    update();
    QAbstractButton::enterEvent(event);
}

void CaptionButton::leaveEvent(QEvent* event) {
    m_hovered = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void CaptionButton::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    PaintBackground(painter);
    const qreal side = std::min(width(), height()) * 0.36;
    const QRectF box(QPointF(0, 0), QSizeF(side, side));
    PaintGlyph(painter, box.translated(rect().center() - box.center()));
}

void CaptionButton::PaintBackground(QPainter& painter) {
    if (!m_hovered && !isDown())
        return;
    if (m_glyph == Glyph::Close) {
        painter.fillRect(rect(), isDown() ? CloseHover.darker(120) : CloseHover);
        return;
    }
    QColor wash = m_color;
    wash.setAlpha(isDown() ? 90 : 45);
    painter.fillRect(rect(), wash);
}

void CaptionButton::PaintGlyph(QPainter& painter, const QRectF& box) {
    const bool onRed = m_glyph == Glyph::Close && (m_hovered || isDown());
    painter.setPen(QPen(onRed ? QColor(Qt::white) : m_color, 1.4));
    painter.setBrush(Qt::NoBrush);
    switch (m_glyph) {
    case Glyph::Minimise:
        painter.drawLine(box.bottomLeft() - QPointF(0, box.height() / 3),
                         box.bottomRight() - QPointF(0, box.height() / 3));
        break;
    case Glyph::Maximise:
        painter.drawRect(box);
        break;
    case Glyph::Restore: {
        const qreal step = box.width() / 4;
        const QRectF front = box.adjusted(0, step, -step, 0);
        painter.drawRect(front);
        QPainterPath back;
        back.moveTo(front.left() + step, front.top());
        back.lineTo(box.left() + step, box.top());
        back.lineTo(box.right(), box.top());
        back.lineTo(box.right(), front.bottom() - step);
        back.lineTo(front.right(), front.bottom() - step);
        painter.drawPath(back);
        break;
    }
    case Glyph::Close:
        painter.drawLine(box.topLeft(), box.bottomRight());
        painter.drawLine(box.topRight(), box.bottomLeft());
        break;
    }
}
