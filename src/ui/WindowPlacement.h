#pragma once

#include <QList>
#include <QRect>

class Settings;

// The main window's stored position and size (twips in Settings) and the
// rectangle it gets on the screens at hand.
namespace WindowPlacement {

// The stored rectangle in pixels; when it meets none of
// `availableScreens`, the same size centred on `primaryScreen`, so a window
// last seen on a monitor that is gone comes back where it can be seen.
QRect Restore(const Settings& settings, const QList<QRect>& availableScreens,
              const QRect& primaryScreen);

// Stores a window rectangle in pixels (position of the frame, size of the
// contents, as QWidget::pos() and size() give them).
void Store(Settings& settings, const QRect& pixels);

} // namespace WindowPlacement
