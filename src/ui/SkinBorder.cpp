#include "ui/SkinBorder.h"

#include "ui/SkinLook.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

namespace {

// A corner is easier to catch than a border a few pixels wide.
constexpr int CornerReach = 16;

Qt::CursorShape CursorFor(Qt::Edges edges) {
    if (edges == (Qt::TopEdge | Qt::LeftEdge) || edges == (Qt::BottomEdge | Qt::RightEdge))
        return Qt::SizeFDiagCursor;
    if (edges == (Qt::TopEdge | Qt::RightEdge) || edges == (Qt::BottomEdge | Qt::LeftEdge))
        return Qt::SizeBDiagCursor;
    if (edges & (Qt::LeftEdge | Qt::RightEdge))
        return Qt::SizeHorCursor;
    if (edges & (Qt::TopEdge | Qt::BottomEdge))
        return Qt::SizeVerCursor;
    return Qt::ArrowCursor;
}

} // namespace

SkinBorder::SkinBorder(QWidget& window, std::shared_ptr<const SkinLook> look)
    : QWidget(&window) {
    setObjectName(QStringLiteral("skinBorder"));
    setMouseTracking(true);
    SetLook(std::move(look));
}

void SkinBorder::SetLook(std::shared_ptr<const SkinLook> look) {
    m_look = std::move(look);
    update();
}

Qt::Edges SkinBorder::EdgesAt(const QPoint& position) const {
    const int border = m_look->BorderWidth();
    const QRect inner = rect().adjusted(border, border, -border, -border);
    if (inner.contains(position) || !rect().contains(position))
        return {};
    const int reach = std::max(border, CornerReach);
    Qt::Edges edges;
    if (position.x() < reach)
        edges |= Qt::LeftEdge;
    else if (position.x() >= width() - reach)
        edges |= Qt::RightEdge;
    if (position.y() < reach)
        edges |= Qt::TopEdge;
    else if (position.y() >= height() - reach)
        edges |= Qt::BottomEdge;
    return edges;
}

void SkinBorder::mouseMoveEvent(QMouseEvent* event) {
    setCursor(CursorFor(EdgesAt(event->position().toPoint())));
    QWidget::mouseMoveEvent(event);
}

void SkinBorder::mousePressEvent(QMouseEvent* event) {
    const Qt::Edges edges = EdgesAt(event->position().toPoint());
    QWindow* handle = window()->windowHandle();
    if (event->button() != Qt::LeftButton || edges == Qt::Edges() || handle == nullptr) {
        event->ignore();
        return;
    }
    handle->startSystemResize(edges);
}

void SkinBorder::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const int border = m_look->BorderWidth();
    if (m_look->Borders().isNull()) {
        const QBrush brush = palette().dark();
        painter.fillRect(0, 0, width(), border, brush);
        painter.fillRect(0, height() - border, width(), border, brush);
        painter.fillRect(0, border, border, height() - 2 * border, brush);
        painter.fillRect(width() - border, border, border, height() - 2 * border, brush);
        return;
    }
    PaintSlices(painter, m_look->Borders(), border);
}

void SkinBorder::PaintSlices(QPainter& painter, const QPixmap& bitmap, int border) {
    const int sourceWidth = bitmap.width() - 2 * border;
    const int sourceHeight = bitmap.height() - 2 * border;
    const int innerWidth = width() - 2 * border;
    const int innerHeight = height() - 2 * border;
    const int right = width() - border;
    const int bottom = height() - border;
    const int sourceRight = bitmap.width() - border;
    const int sourceBottom = bitmap.height() - border;
    const struct {
        QRect target;
        QRect source;
    } slices[] = {
        {{0, 0, border, border}, {0, 0, border, border}},
        {{border, 0, innerWidth, border}, {border, 0, sourceWidth, border}},
        {{right, 0, border, border}, {sourceRight, 0, border, border}},
        {{0, border, border, innerHeight}, {0, border, border, sourceHeight}},
        {{right, border, border, innerHeight}, {sourceRight, border, border, sourceHeight}},
        {{0, bottom, border, border}, {0, sourceBottom, border, border}},
        {{border, bottom, innerWidth, border}, {border, sourceBottom, sourceWidth, border}},
        {{right, bottom, border, border}, {sourceRight, sourceBottom, border, border}},
    };
    for (const auto& slice : slices)
        painter.drawPixmap(slice.target, bitmap, slice.source);
}
