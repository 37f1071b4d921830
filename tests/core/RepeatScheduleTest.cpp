#include "core/RepeatSchedule.h"

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

// The interval before each of the first ticks, and when the repeat stops.
TEST(RepeatScheduleTest, StepsEveryQuarterSecondThenTwiceAsFastFromTheSixthUntilStopped) {
    for (const bool fast : {false, true}) {
        int steps = 0;
        RepeatSchedule schedule([&] { return ++steps < 9; });
        schedule.Start(fast);
        const auto slow = fast ? 25ms : 250ms;
        std::vector<std::chrono::milliseconds> intervals{schedule.Interval()};
        while (schedule.IsRunning()) {
            schedule.Tick();
            intervals.push_back(schedule.Interval());
        }
        // Before ticks 1 ... 6 the full interval; after the sixth, half;
        // the ninth step said no more.
        const std::vector<std::chrono::milliseconds> expected{
            slow, slow, slow, slow, slow, slow, slow / 2, slow / 2, slow / 2, slow / 2};
        EXPECT_EQ(intervals, expected);
        EXPECT_EQ(steps, 9);
        schedule.Tick();
        EXPECT_EQ(steps, 9);
        // Start begins afresh; Stop ends the repeat.
        schedule.Start(fast);
        EXPECT_EQ(schedule.Ticks(), 0);
        EXPECT_EQ(schedule.Interval(), slow);
        schedule.Stop();
        schedule.Tick();
        EXPECT_EQ(steps, 9);
    }
}

} // namespace
