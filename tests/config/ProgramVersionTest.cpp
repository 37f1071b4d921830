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

// Every text gives three numbers; what is not one reads as 0.
TEST(ProgramVersionTest, ParseVersionReadsThreeNumbersAndZeroForTheRest) {
    struct Case {
        QString text;
        ProgramVersion version;
    };
    for (const Case& c : {
             Case{"1.2.3", {1, 2, 3}},
             Case{" 1 . 2 . 3 ", {1, 2, 3}},
             Case{"2", {2, 0, 0}},
             Case{"1.2", {1, 2, 0}},
             Case{"", {0, 0, 0}},
             Case{"1.x", {1, 0, 0}},
             Case{"x.2.3", {0, 2, 3}},
             Case{"1..3", {1, 0, 3}},
             // The revision is all that follows the second ".".
             Case{"1.2.3.4", {1, 2, 0}},
             Case{"1.2.3-beta", {1, 2, 0}},
             Case{"1.5e1.0", {1, 0, 0}},
             // Beyond an Integer is no Integer.
             Case{"40000.1.1", {0, 1, 1}},
         }) {
        EXPECT_EQ(ParseVersion(c.text), c.version) << c.text.toStdString();
    }
    EXPECT_EQ(ParseVersion(ProgramVersionString()) <=> ParseVersion(ProgramVersionString()),
              std::strong_ordering::equal);
}
