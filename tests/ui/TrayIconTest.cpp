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
TEST(TrayIconTest, AClickOrADoubleClickRestoresAndTheMenuIsTheIcons) {
    using Reason = QSystemTrayIcon::ActivationReason;
    const struct {
        Reason reason;
        int restores;
    } cases[] = {
        {QSystemTrayIcon::Trigger, 1},
        {QSystemTrayIcon::DoubleClick, 1},
        {QSystemTrayIcon::MiddleClick, 0},
        {QSystemTrayIcon::Context, 0},
    };
    QMenu menu;
    for (const auto& c : cases) {
        TrayIcon tray(nullptr, true);
        ASSERT_TRUE(tray.Available());
        EXPECT_EQ(tray.findChild<QSystemTrayIcon*>()->toolTip(), "Varnocet");
        tray.SetMenu(&menu);
        EXPECT_EQ(tray.findChild<QSystemTrayIcon*>()->contextMenu(), &menu);
        QSignalSpy restore(&tray, &TrayIcon::RestoreRequested);
        tray.OnActivated(c.reason);
        EXPECT_EQ(restore.count(), c.restores) << c.reason;
    }
}

} // namespace
