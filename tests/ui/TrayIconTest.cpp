#include "ui/TrayIcon.h"

#include <QMenu>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

TEST(TrayIconTest, WithoutANotificationAreaNothingIsShown) {
    TrayIcon tray(nullptr, false);
    tray.Show();
    EXPECT_FALSE(tray.Available());
    EXPECT_FALSE(tray.Visible());
    EXPECT_EQ(tray.findChild<QSystemTrayIcon*>(), nullptr);
}

// StatusNotifierItem trays report a click as Trigger and never a double
// click; the icon's own menu is theirs to open.
TEST(TrayIconTest, AClickRestoresAndARightClickAsksForAMenuUnlessTheIconHasOne) {
    using Reason = QSystemTrayIcon::ActivationReason;
    const struct {
        bool ownMenu;
        Reason reason;
        int restores;
        int menus;
    } cases[] = {
        {false, QSystemTrayIcon::Trigger, 1, 0},     {false, QSystemTrayIcon::DoubleClick, 1, 0},
        {false, QSystemTrayIcon::MiddleClick, 0, 0}, {false, QSystemTrayIcon::Context, 0, 1},
        {true, QSystemTrayIcon::Trigger, 1, 0},      {true, QSystemTrayIcon::DoubleClick, 1, 0},
        {true, QSystemTrayIcon::Context, 0, 0},
    };
    QMenu menu;
    for (const auto& c : cases) {
        TrayIcon tray(nullptr, true);
        ASSERT_TRUE(tray.Available());
        EXPECT_EQ(tray.findChild<QSystemTrayIcon*>()->toolTip(), "Varnocet");
        if (c.ownMenu)
            tray.SetMenu(&menu);
        EXPECT_EQ(tray.findChild<QSystemTrayIcon*>()->contextMenu(), c.ownMenu ? &menu : nullptr);
        QSignalSpy restore(&tray, &TrayIcon::RestoreRequested);
        QSignalSpy menuRequests(&tray, &TrayIcon::MenuRequested);
        tray.OnActivated(c.reason);
        EXPECT_EQ(restore.count(), c.restores) << c.ownMenu << ' ' << c.reason;
        EXPECT_EQ(menuRequests.count(), c.menus) << c.ownMenu << ' ' << c.reason;
    }
}

} // namespace
