#include "config/ProgramVersion.h"

#include <gtest/gtest.h>

TEST(ProgramVersionTest, DottedDecimalWithoutLeadingZeros) {
    EXPECT_EQ(ProgramVersionString(), QStringLiteral("0.9.90"));
    EXPECT_EQ(ProgramName(), QStringLiteral("Varnocet"));
}

TEST(ProgramVersionTest, VersionsCompareByNumberNotText) {
    EXPECT_TRUE(IsNewerVersion(QStringLiteral("0.9.4"), QStringLiteral("0.10.0")));
    EXPECT_TRUE(IsNewerVersion(QStringLiteral("0.9.4"), QStringLiteral("0.9.90")));
    EXPECT_FALSE(IsNewerVersion(QStringLiteral("0.10.0"), QStringLiteral("0.9.90")));
    EXPECT_FALSE(IsNewerVersion(QStringLiteral("0.9.90"), QStringLiteral("0.9.90")));
}

TEST(ProgramVersionTest, EmptyOrUnreadableStoredVersionIsOlderThanAny) {
    EXPECT_TRUE(IsNewerVersion(QString(), QStringLiteral("0.0.1")));
    EXPECT_TRUE(IsNewerVersion(QStringLiteral("unknown"), QStringLiteral("0.9.90")));
}
