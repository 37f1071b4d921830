#include "ui/TrayIcon.h"

#include <QMenu>

#include <gtest/gtest.h>

namespace {

// Without a notification area nothing is shown; the icon's own menu is the
// tray's to open. Which clicks restore the window is walked through the main
// window (tests/data/main-window/window-restores).
TEST(TrayIconTest, ShownOnlyInANotificationAreaWithItsOwnMenu) {
    TrayIcon none(nullptr, false);
    none.Show();
    EXPECT_FALSE(none.Available());
    EXPECT_FALSE(none.Visible());
    EXPECT_EQ(none.findChild<QSystemTrayIcon*>(), nullptr);

    TrayIcon tray(nullptr, true);
    ASSERT_TRUE(tray.Available());
    EXPECT_EQ(tray.findChild<QSystemTrayIcon*>()->toolTip(), "Varnocet");
    QMenu menu;
    tray.SetMenu(&menu);
    EXPECT_EQ(tray.findChild<QSystemTrayIcon*>()->contextMenu(), &menu);
}

} // namespace
