#pragma once

#include <Qt>

class QWidget;

namespace WindowFlag {

// Changing a flag of a shown window hides it: it is shown again, and only
// when the flag changes.
void Set(QWidget& window, Qt::WindowType flag, bool on);

} // namespace WindowFlag
