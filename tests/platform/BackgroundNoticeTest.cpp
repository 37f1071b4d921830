#include "platform/BackgroundNotice.h"

#include <QStringList>

#include <gtest/gtest.h>

TEST(BackgroundNoticeTest, EachTextIsReportedOncePerRun) {
    QStringList shown;
    BackgroundNotice::Forget();
    BackgroundNotice::SetSink([&shown](const QString& text) { shown.append(text); });
    for (int i = 0; i < 50; ++i)
        BackgroundNotice::Report(QStringLiteral("Need a date format handler!"));
    BackgroundNotice::Report(QStringLiteral("Unknown version (0.93) for RSS."));
    BackgroundNotice::Report(QStringLiteral("Need a date format handler!"));
    EXPECT_EQ(shown, QStringList({QStringLiteral("Need a date format handler!"),
                                  QStringLiteral("Unknown version (0.93) for RSS.")}));
    BackgroundNotice::Forget();
    BackgroundNotice::SetSink(nullptr);
}

TEST(BackgroundNoticeTest, TextsCarryingFeedValuesCannotGrowWithoutEnd) {
    int shown = 0;
    BackgroundNotice::Forget();
    BackgroundNotice::SetSink([&shown](const QString&) { ++shown; });
    for (int i = 0; i < 10000; ++i)
        BackgroundNotice::Report(QStringLiteral("Unknown version (%1) for RSS.").arg(i));
    EXPECT_EQ(shown, 256);
    BackgroundNotice::Forget();
    BackgroundNotice::SetSink(nullptr);
}
