#pragma once

#include <QObject>
#include <QPointF>
#include <QPointer>

#include <functional>

class QWidget;

// Moves the window by the parts of it that do nothing with the mouse
// themselves: pressing the left button on a watched widget and dragging it
// past the desktop's drag distance hands the move to the window system.
class WindowDragger : public QObject {
    Q_OBJECT

public:
    // Starts moving the window of the widget dragged.
    using Mover = std::function<void(QWidget& widget)>;

    // The mover asks the window system to move the window, which works alike
    // on X11 and Wayland.
    explicit WindowDragger(QObject* parent = nullptr, Mover mover = MoveWindow);

    void Watch(QWidget& widget);
    // Off, a drag does nothing.
    void SetEnabled(bool enabled);
    void SetMover(Mover mover) { m_mover = std::move(mover); }

    static void MoveWindow(QWidget& widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A press that the watched widget handles itself.
    static bool IsOwnPress(const QWidget& widget, const QPointF& position);

    Mover m_mover;
    bool m_enabled = false;
    QPointer<QWidget> m_pressed;
    QPointF m_pressPosition;
};
