#include "config/ProgramVersion.h"

#include <gtest/gtest.h>

// Compared as text, 0.10 would sort before 0.9; a stored version that
// cannot be read must still let the running one count as newer.
TEST(ProgramVersionTest, VersionsCompareByNumberAndUnreadableOnesAreOlderThanAny) {
    EXPECT_TRUE(IsNewerVersion(QStringLiteral("0.9.4"), QStringLiteral("0.10.0")));
    EXPECT_TRUE(IsNewerVersion(QStringLiteral("0.9.4"), QStringLiteral("0.9.90")));
    EXPECT_FALSE(IsNewerVersion(QStringLiteral("0.10.0"), QStringLiteral("0.9.90")));
    EXPECT_FALSE(IsNewerVersion(QStringLiteral("0.9.90"), QStringLiteral("0.9.90")));
    EXPECT_TRUE(IsNewerVersion(QString(), QStringLiteral("0.0.1")));
    EXPECT_TRUE(IsNewerVersion(QStringLiteral("unknown"), QStringLiteral("0.9.90")));
}
