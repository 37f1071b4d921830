#include "ui/WindowPlacement.h"

#include "config/Settings.h"
#include "platform/Twips.h"

namespace WindowPlacement {

QRect Restore(const Settings& settings, const QList<QRect>& availableScreens,
              const QRect& primaryScreen) {
    QRect stored(Twips::ToPixels(settings.FormLeft), Twips::ToPixels(settings.FormTop),
                 Twips::ToPixels(settings.FormWidth), Twips::ToPixels(settings.FormHeight));
    for (const QRect& screen : availableScreens) {
        if (screen.intersects(stored))
            return stored;
    }
    stored.moveCenter(primaryScreen.center());
    return stored;
}

void Store(Settings& settings, const QRect& pixels) {
    settings.FormLeft = Twips::FromPixels(pixels.left());
    settings.FormTop = Twips::FromPixels(pixels.top());
    settings.FormWidth = Twips::FromPixels(pixels.width());
    settings.FormHeight = Twips::FromPixels(pixels.height());
}

} // namespace WindowPlacement
