#include "SchedulerHarness.h"

#include "retrieval/AutoFlip.h"

#include <gtest/gtest.h>

namespace {

class AutoFlipTest : public ::testing::Test, public SchedulerHarness {
protected:
    void SetUp() override {
        Standard();
        window.Current = 1;
    }

    void Ticks(int count) {
        for (int i = 0; i < count; ++i)
            flip.Tick();
    }

    AutoFlip flip{providers, scheduler, window, preferences, flags};
};

} // namespace

TEST_F(AutoFlipTest, OneSecondIntervalFlipsAfterTwoSecondsThenEverySecond) {
    preferences.FlipInterval = 1;
    preferences.FlipProviders = true;
    EXPECT_TRUE(flip.Command("PLAY"));
    EXPECT_EQ(window.Caption, "Auto&Flip (in 2)");
    EXPECT_EQ(window.Icon, 8);
    for (qsizetype flips : {0, 1, 2, 3}) {
        flip.Tick();
        EXPECT_EQ(window.Shown.size(), flips);
    }
    EXPECT_EQ(window.Shown, QList<qsizetype>({2, 3, 4}));
    EXPECT_EQ(window.Caption, "Auto&Flip (in 0)");
}

// An interval below one second is taken as one: flips keep coming and the
// countdown never shows a negative number.
TEST_F(AutoFlipTest, IntervalBelowOneStillFlips) {
    for (Integer interval : {0, -5}) {
        preferences.AutoFlip = true;
        preferences.FlipInterval = interval;
        flip.ResetFlipCountdown();
        window.NextArticlePosts = 0;
        for (int i = 0; i < 5; ++i) {
            flip.Tick();
            EXPECT_GE(flip.FlipCountdown(), 0);
            EXPECT_FALSE(window.Caption.contains('-')) << window.Caption.toStdString();
        }
        EXPECT_EQ(window.NextArticlePosts, 4) << interval;
    }
}

TEST_F(AutoFlipTest, CommandsSetSpeedWhatFlipsAndPlay) {
    preferences.AutoFlip = true;
    struct Case {
        const char* key;
        int seconds;
    };
    for (const Case& c : {Case{"FAST", 15}, Case{"MEDIUM", 30}, Case{"SLOW", 60}}) {
        EXPECT_TRUE(flip.Command(c.key));
        EXPECT_EQ(preferences.FlipInterval, c.seconds);
        EXPECT_EQ(flip.FlipCountdown(), c.seconds);
        EXPECT_EQ(window.Caption, QString("Auto&Flip (in %1)").arg(c.seconds));
    }
    EXPECT_TRUE(flip.Command("FLIPPROVIDERS"));
    EXPECT_TRUE(preferences.FlipProviders);
    EXPECT_TRUE(flip.Command("FLIPARTICLES"));
    EXPECT_FALSE(preferences.FlipProviders);
    EXPECT_FALSE(flip.Command("NEXTCATEGORY"));

    // Off: the countdown still runs, but nothing flips and the caption stays.
    EXPECT_TRUE(flip.Command("PLAY"));
    EXPECT_EQ(window.Caption, "Auto&Flip (off)");
    EXPECT_EQ(window.Icon, 6);
    Ticks(60);
    EXPECT_EQ(flip.FlipCountdown(), 60);
    EXPECT_EQ(window.NextArticlePosts, 0);
    EXPECT_EQ(window.Caption, "Auto&Flip (off)");
}

TEST_F(AutoFlipTest, ArticleStepPassesTheLastRowToTheNextProvider) {
    struct Case {
        int row, rows;
        int selected;
        qsizetype shown;
    };
    for (const Case& c : {Case{1, 3, 2, 1}, Case{3, 3, 3, 2}, Case{0, 3, 0, 2}}) {
        window.Current = 1;
        window.Row = c.row;
        window.Rows = c.rows;
        flip.ToNextArticle();
        EXPECT_EQ(window.Row, c.selected);
        EXPECT_EQ(window.Current, c.shown);
    }
}

TEST_F(AutoFlipTest, ProviderStepsKeepToTheCategoryOnlyWhenAsked) {
    struct Case {
        bool showCategories, flipCategories, forward;
        QList<qsizetype> shown;
    };
    for (const Case& c : {Case{true, false, true, {4, 3, 4}}, Case{true, false, false, {4, 3, 4}},
                          Case{false, false, true, {4, 1, 2}}, Case{true, true, true, {4, 1, 2}},
                          Case{true, true, false, {2, 1, 4}}}) {
        window.Categories = c.showCategories;
        preferences.FlipCategories = c.flipCategories;
        window.Category = "Tech";
        window.Current = 3;
        window.Shown.clear();
        for (int i = 0; i < 3; ++i)
            c.forward ? flip.NextProvider() : flip.PreviousProvider();
        EXPECT_EQ(window.Shown, c.shown) << c.showCategories << c.flipCategories << c.forward;
    }
}

TEST(AutoFlipSingleProviderTest, FewerThanTwoProvidersNeverFlip) {
    SchedulerHarness h;
    h.Add("only", "");
    h.preferences = {.AutoFlip = true, .FlipInterval = 1, .FlipProviders = true};
    AutoFlip flip{h.providers, h.scheduler, h.window, h.preferences, h.flags};
    for (int i = 0; i < 5; ++i)
        flip.Tick();
    EXPECT_TRUE(h.window.Shown.isEmpty());
    EXPECT_EQ(h.window.NextArticlePosts, 0);
}

TEST_F(AutoFlipTest, BusyOrSuspendedStopsTheCountdown) {
    preferences.AutoFlip = true;
    flip.ResetFlipCountdown();
    for (ProgramFlags held : {ProgramFlags{true, false}, ProgramFlags{false, true}}) {
        flags = held;
        Ticks(100);
        EXPECT_EQ(flip.FlipCountdown(), 15);
        EXPECT_EQ(window.NextArticlePosts, 0);
    }
    flags = {};
    flip.Tick();
    EXPECT_EQ(flip.FlipCountdown(), 14);
}
