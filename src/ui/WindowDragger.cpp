#include "ui/WindowDragger.h"

#include <QApplication>
#include <QMouseEvent>
#include <QStyleOptionToolBar>
#include <QToolBar>
#include <QWidget>
#include <QWindow>

WindowDragger::WindowDragger(QObject* parent, Mover mover)
    : QObject(parent)
    , m_mover(std::move(mover)) {}

void WindowDragger::Watch(QWidget& widget) {
    widget.installEventFilter(this);
}

void WindowDragger::SetEnabled(bool enabled) {
    m_enabled = enabled;
    m_pressed = nullptr;
}

void WindowDragger::MoveWindow(QWidget& widget) {
    if (QWindow* window = widget.window()->windowHandle())
        window->startSystemMove();
}

// A movable tool bar is dragged to another edge by its handle.
bool WindowDragger::IsOwnPress(const QWidget& widget, const QPointF& position) {
    const auto* bar = qobject_cast<const QToolBar*>(&widget);
    if (bar == nullptr || !bar->isMovable())
        return false;
    QStyleOptionToolBar option;
    option.initFrom(bar);
    option.features = QStyleOptionToolBar::Movable;
    if (bar->orientation() == Qt::Horizontal)
        option.state |= QStyle::State_Horizontal;
    return bar->style()
        ->subElementRect(QStyle::SE_ToolBarHandle, &option, bar)
        .contains(position.toPoint());
}

bool WindowDragger::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto& press = static_cast<const QMouseEvent&>(*event);
        auto* widget = qobject_cast<QWidget*>(watched);
        const bool drag = m_enabled && widget != nullptr && press.button() == Qt::LeftButton &&
                          !IsOwnPress(*widget, press.position());
        m_pressed = drag ? widget : nullptr;
        m_pressPosition = press.globalPosition();
        break;
    }
    case QEvent::MouseMove: {
        const auto& move = static_cast<const QMouseEvent&>(*event);
        if (m_pressed.data() != watched || !move.buttons().testFlag(Qt::LeftButton))
            break;
        if ((move.globalPosition() - m_pressPosition).manhattanLength() <
            QApplication::startDragDistance())
            break;
        QWidget& widget = *m_pressed;
        m_pressed = nullptr;
        m_mover(widget);
        return true;
    }
    case QEvent::MouseButtonRelease:
        m_pressed = nullptr;
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
