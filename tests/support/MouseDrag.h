#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

// Presses `button` at `from` in the widget, moves the pointer by `by` with
// the button held and lets go: the events a user's drag delivers, without a
// window system to route them.
inline void MouseDrag(QWidget& widget, QPoint from, QPoint by,
                      Qt::MouseButton button = Qt::LeftButton) {
    const auto send = [&](QEvent::Type type, QPoint at, Qt::MouseButtons held) {
        QMouseEvent event(type, at, widget.mapToGlobal(at),
                          type == QEvent::MouseMove ? Qt::NoButton : button, held, {});
        QApplication::sendEvent(&widget, &event);
    };
    send(QEvent::MouseButtonPress, from, button);
    send(QEvent::MouseMove, from + by, button);
    send(QEvent::MouseButtonRelease, from + by, Qt::NoButton);
}
