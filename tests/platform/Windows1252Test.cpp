#include "platform/Windows1252.h"

#include "platform/ProgramError.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

TEST(Windows1252Test, EveryCodeRoundTripsAndConvertsToUtf8) {
    QByteArray bytes;
    QString text;
    for (int code = 0; code <= 0xFF; ++code) {
        const QChar c = Windows1252::Character(code);
        EXPECT_EQ(Windows1252::Code(c), code) << code;
        EXPECT_TRUE(Windows1252::Contains(c)) << code;
        bytes.append(static_cast<char>(code));
        text.append(c);
    }
    EXPECT_EQ(Windows1252::ToUtf8(bytes), text.toUtf8());
    EXPECT_EQ(Windows1252::ToUtf8("it\x92s"), QByteArray("it\xe2\x80\x99s"));
    EXPECT_THROW(Windows1252::Character(-1), ProgramError);
    EXPECT_THROW(Windows1252::Character(256), ProgramError);
}

TEST(Windows1252Test, CodesAndCharactersAsTheTableHasThem) {
    for (const QStringList& row : TestData::Table("tables/windows1252.tsv")) {
        SCOPED_TRACE(row.join(u' ').toStdString());
        const QChar character(row[1].toUShort(nullptr, 16));
        if (row[0] == u"-") {
            EXPECT_EQ(Windows1252::Code(character), u'?');
            EXPECT_FALSE(Windows1252::Contains(character));
            continue;
        }
        EXPECT_EQ(Windows1252::Code(character), row[0].toInt(nullptr, 16));
        EXPECT_EQ(Windows1252::Character(row[0].toInt(nullptr, 16)), character);
    }
    EXPECT_TRUE(Windows1252::Contains(QChar(u'?')));
}

TEST(Windows1252Test, LabelsOfLatin1AndAsciiReadAsThisPage) {
    for (const char* label : {"windows-1252", "ISO-8859-1", " latin1 ", "US-ASCII", "cp819"})
        EXPECT_TRUE(Windows1252::IsLabel(QString::fromLatin1(label))) << label;
    for (const char* label : {"", "utf-8", "ISO-8859-15", "latin2", "windows-1251"})
        EXPECT_FALSE(Windows1252::IsLabel(QString::fromLatin1(label))) << label;
}
