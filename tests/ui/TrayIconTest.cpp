#include "ui/TrayIcon.h"

#include <QMenu>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

// Without a notification area nothing is shown. StatusNotifierItem trays
// report a click as Trigger and never a double click; the icon's own menu is
// theirs to open.
TEST(TrayIconTest, ShownOnlyInANotificationAreaWhereAClickOrADoubleClickRestores) {
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
    QSignalSpy restore(&tray, &TrayIcon::RestoreRequested);
    // The restores asked for so far, after each way of activating the icon.
    QList<qsizetype> restores;
    for (const auto reason : {QSystemTrayIcon::Trigger, QSystemTrayIcon::DoubleClick,
                              QSystemTrayIcon::MiddleClick, QSystemTrayIcon::Context}) {
        tray.OnActivated(reason);
        restores.append(restore.count());
    }
    EXPECT_EQ(restores, (QList<qsizetype>{1, 2, 2, 2}));
}

} // namespace
