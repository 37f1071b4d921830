#include "config/ProgramVersion.h"
#include "support/TestData.h"

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

    // Every text gives three numbers; what is not one reads as 0.
    for (const QStringList& row : TestData::Table("tables/version_parse.tsv")) {
        const QStringList numbers = row[1].split(u' ');
        EXPECT_EQ(ParseVersion(row[0]), (ProgramVersion{static_cast<Integer>(numbers[0].toInt()),
                                                        static_cast<Integer>(numbers[1].toInt()),
                                                        static_cast<Integer>(numbers[2].toInt())}))
            << row[0].toStdString();
    }
    // The program's own version text is one it can read.
    EXPECT_GT(ParseVersion(ProgramVersionString()), ProgramVersion{});
}
