#include "platform/BackgroundNotice.h"

#include <QStringList>

#include <gtest/gtest.h>

TEST(BackgroundNoticeTest, EachRecentTextIsReportedOnce) {
    QStringList shown;
    BackgroundNotice::Forget();
    BackgroundNotice::SetSink([&shown](const QString& text) { shown.append(text); });
    for (int i = 0; i < 50; ++i)
        BackgroundNotice::Report(QStringLiteral("Need a date format handler!"));
    BackgroundNotice::Report(QStringLiteral("Unknown version (0.93) for RSS."));
    BackgroundNotice::Report(QStringLiteral("Need a date format handler!"));
    EXPECT_EQ(shown, QStringList({QStringLiteral("Need a date format handler!"),
                                  QStringLiteral("Unknown version (0.93) for RSS.")}));

    // The record forgets its oldest texts and never refuses a new one.
    BackgroundNotice::Forget();
    shown.clear();
    const auto version = [](int i) {
        return QStringLiteral("Unknown version (%1) for RSS.").arg(i);
    };
    for (int i = 0; i < 10000; ++i)
        BackgroundNotice::Report(version(i));
    EXPECT_EQ(shown.size(), 10000);
    // The most recent 256 texts are remembered; older ones are shown again.
    shown.clear();
    BackgroundNotice::Report(version(9999));
    BackgroundNotice::Report(version(9744));
    EXPECT_TRUE(shown.isEmpty());
    BackgroundNotice::Report(version(9743));
    BackgroundNotice::Report(QStringLiteral("A later fault."));
    EXPECT_EQ(shown, QStringList({version(9743), QStringLiteral("A later fault.")}));
    BackgroundNotice::Forget();
    BackgroundNotice::SetSink(nullptr);
}
