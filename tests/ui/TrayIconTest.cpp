#include "ui/TrayIcon.h"

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

TEST(TrayIconTest, DoubleClickRestoresAndRightClickAsksForTheMenu) {
    TrayIcon tray(nullptr, true);
    ASSERT_TRUE(tray.Available());
    EXPECT_EQ(tray.findChild<QSystemTrayIcon*>()->toolTip(), "Varnocet");
    QSignalSpy restore(&tray, &TrayIcon::RestoreRequested);
    QSignalSpy menu(&tray, &TrayIcon::MenuRequested);
    for (auto reason : {QSystemTrayIcon::Trigger, QSystemTrayIcon::MiddleClick,
                        QSystemTrayIcon::DoubleClick, QSystemTrayIcon::Context})
        tray.OnActivated(reason);
    EXPECT_EQ(restore.count(), 1);
    EXPECT_EQ(menu.count(), 1);
}

} // namespace
