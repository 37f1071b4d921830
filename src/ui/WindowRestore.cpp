#include "ui/WindowRestore.h"

#include <QWidget>

// showNormal would also drop a maximised state: only the minimised one goes.
void WindowRestore::Restore(QWidget& window) {
    if (window.isMinimized())
        window.setWindowState((window.windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    window.show();
    window.raise();
    window.activateWindow();
}
