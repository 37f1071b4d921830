#include "ui/WindowFlag.h"

#include <QWidget>

namespace WindowFlag {

void Set(QWidget& window, Qt::WindowType flag, bool on) {
    if (window.windowFlags().testFlag(flag) == on)
        return;
    const bool shown = window.isVisible();
    window.setWindowFlag(flag, on);
    if (shown)
        window.show();
}

} // namespace WindowFlag
