#include "ui/WindowPlacement.h"
#include "config/Settings.h"

#include <gtest/gtest.h>

namespace {

const QRect Primary(0, 0, 1920, 1080);
const QRect Second(1920, 0, 2560, 1440);

Settings At(qint32 leftTwips, qint32 topTwips) {
    Settings settings;
    settings.FormLeft = leftTwips;
    settings.FormTop = topTwips;
    return settings;
}

} // namespace

TEST(WindowPlacementTest, AWindowKeepsItsPlaceOnAMonitorThatIsThereElseIsCentredOnThePrimary) {
    EXPECT_EQ(WindowPlacement::Restore(At(37500, 1500), {Primary, Second}, Primary),
              QRect(2500, 100, 795, 575));
    const QRect restored = WindowPlacement::Restore(At(200000, 1500), {Primary}, Primary);
    EXPECT_EQ(restored.size(), QSize(795, 575));
    EXPECT_TRUE(Primary.contains(restored));
    EXPECT_EQ(restored.center(), Primary.center());

    Settings settings;
    WindowPlacement::Store(settings, QRect(2500, -20, 1000, 700));
    EXPECT_EQ(WindowPlacement::Restore(settings, {Primary, Second}, Primary),
              QRect(2500, -20, 1000, 700));
}
