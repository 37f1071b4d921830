#include "model/TitleHash.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

TEST(TitleHashTest, KnownTitlesHashToTheirStoredValues) {
    for (const QStringList& row : TestData::Table("tables/title_hash.tsv"))
        EXPECT_EQ(TitleHash(row[0]), row[1].toInt()) << row[0].toStdString();
    EXPECT_NE(TitleHash("Hello, World"), TitleHash("Hello, Xorld"));

    // Long titles stay non-negative.
    EXPECT_GE(TitleHash(QString(100000, QChar(0xFF))), 0);
    EXPECT_GE(TitleHash(QString(5000, QChar(u'z')) + QString(5000, QChar(0x20AC))), 0);
}
