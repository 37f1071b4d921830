#include "SchedulerHarness.h"

#include "retrieval/AutoFlip.h"
#include "support/TestData.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <vector>

namespace {

class AutoFlipTest : public ::testing::Test, public SchedulerHarness {
protected:
    void SetUp() override {
        Standard();
        host.Current = 1;
        host.Row = 1;
        host.Rows = 100;
        host.Follow(flip);
    }

    void Ticks(int count) {
        for (int i = 0; i < count; ++i)
            flip.Tick();
    }

    // Runs the article steps auto-flip has queued; each selects the next row.
    int QueuedArticleSteps() {
        const int row = host.Row;
        QCoreApplication::sendPostedEvents();
        return host.Row - row;
    }

    AutoFlip flip{providers, scheduler, host, preferences, flags};
};

} // namespace

TEST_F(AutoFlipTest, OneSecondIntervalFlipsAfterTwoSecondsThenEverySecond) {
    preferences.FlipInterval = 1;
    preferences.FlipProviders = true;
    EXPECT_TRUE(flip.Command("PLAY"));
    EXPECT_EQ(host.Caption, "Auto&Flip (in 2)");
    EXPECT_EQ(host.Icon, 8);
    for (qsizetype flips : {0, 1, 2, 3}) {
        flip.Tick();
        EXPECT_EQ(host.Shown.size(), flips);
    }
    EXPECT_EQ(host.Shown, QList<qsizetype>({2, 3, 4}));
    EXPECT_EQ(host.Caption, "Auto&Flip (in 0)");
}

// An interval below one second is taken as one: flips keep coming and the
// countdown never shows a negative number.
TEST_F(AutoFlipTest, IntervalBelowOneStillFlips) {
    for (Integer interval : {0, -5}) {
        preferences.AutoFlip = true;
        preferences.FlipInterval = interval;
        flip.ResetFlipCountdown();
        host.Row = 1;
        for (int i = 0; i < 5; ++i) {
            flip.Tick();
            EXPECT_GE(flip.FlipCountdown(), 0);
            EXPECT_FALSE(host.Caption.contains('-')) << host.Caption.toStdString();
        }
        // The steps wait for the ticks to return.
        EXPECT_EQ(host.Row, 1);
        EXPECT_EQ(QueuedArticleSteps(), 4) << interval;
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
        EXPECT_EQ(host.Caption, QString("Auto&Flip (in %1)").arg(c.seconds));
    }
    EXPECT_TRUE(flip.Command("FLIPPROVIDERS"));
    EXPECT_TRUE(preferences.FlipProviders);
    EXPECT_TRUE(flip.Command("FLIPARTICLES"));
    EXPECT_FALSE(preferences.FlipProviders);
    EXPECT_FALSE(flip.Command("NEXTCATEGORY"));

    // Off: the countdown still runs, but nothing flips and the caption stays.
    EXPECT_TRUE(flip.Command("PLAY"));
    EXPECT_EQ(host.Caption, "Auto&Flip (off)");
    EXPECT_EQ(host.Icon, 6);
    Ticks(60);
    EXPECT_EQ(flip.FlipCountdown(), 60);
    EXPECT_EQ(QueuedArticleSteps(), 0);
    EXPECT_EQ(host.Caption, "Auto&Flip (off)");
}

// data/tables/flip-article-steps.tsv
TEST_F(AutoFlipTest, ArticleStepPassesTheLastRowToTheNextProvider) {
    for (const QStringList& c : TestData::Table(QStringLiteral("tables/flip-article-steps.tsv"))) {
        host.Current = 1;
        host.Row = c[0].toInt();
        host.Rows = c[1].toInt();
        flip.ToNextArticle();
        EXPECT_EQ(host.Row, c[2].toInt()) << c.join(u' ').toStdString();
        EXPECT_EQ(host.Current, c[3].toLongLong()) << c.join(u' ').toStdString();
    }
}

// data/tables/flip-provider-steps.tsv
TEST_F(AutoFlipTest, ProviderStepsKeepToTheCategoryOnlyWhenAsked) {
    for (const QStringList& c : TestData::Table(QStringLiteral("tables/flip-provider-steps.tsv"))) {
        host.Categories = c[0] == "yes";
        preferences.FlipCategories = c[1] == "yes";
        host.Category = "Tech";
        host.Current = 3;
        host.Shown.clear();
        for (int i = 0; i < 3; ++i)
            c[2] == "next" ? flip.NextProvider() : flip.PreviousProvider();
        QStringList shown;
        for (const qsizetype position : host.Shown)
            shown.append(QString::number(position));
        EXPECT_EQ(shown.join(u' '), c[3]) << c.join(u' ').toStdString();
    }
}

TEST(AutoFlipSingleProviderTest, FewerThanTwoProvidersNeverFlip) {
    SchedulerHarness h;
    h.Add("only", "");
    h.preferences = {.AutoFlip = true, .FlipInterval = 1, .FlipProviders = true};
    AutoFlip flip{h.providers, h.scheduler, h.host, h.preferences, h.flags};
    for (int i = 0; i < 5; ++i)
        flip.Tick();
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(h.host.Shown.isEmpty());
}

TEST_F(AutoFlipTest, BusyOrSuspendedStopsTheCountdown) {
    preferences.AutoFlip = true;
    flip.ResetFlipCountdown();
    for (ProgramFlags held : {ProgramFlags{true, false}, ProgramFlags{false, true}}) {
        flags = held;
        Ticks(100);
        EXPECT_EQ(flip.FlipCountdown(), 15);
        EXPECT_EQ(QueuedArticleSteps(), 0);
    }
    flags = {};
    flip.Tick();
    EXPECT_EQ(flip.FlipCountdown(), 14);
}
