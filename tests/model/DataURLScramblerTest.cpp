#include "model/DataURLScrambler.h"
#include "platform/ProgramError.h"
#include "platform/Windows1252.h"
#include "support/TestData.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

// Each case of cases/data-url-scrambler.json: a URL beside its stored text
// and what it reads back as (itself unless given), a stored text beside what
// it decodes to or its error, or a text beside whether it is protected.
TEST(DataURLScramblerTest, CasesScrambleAndReadBackAsTheTableHasThem) {
    for (const QJsonValue& value : TestData::Cases("cases/data-url-scrambler.json")) {
        const QJsonObject c = value.toObject();
        SCOPED_TRACE(QJsonDocument(c).toJson(QJsonDocument::Compact).toStdString());
        const QString stored = c["stored"].toString();
        if (c.contains("protected")) {
            EXPECT_EQ(DataURLScrambler::IsProtectedForm(c["text"].toString()),
                      c["protected"].toBool());
        } else if (c.contains("url")) {
            const QString url = c["url"].toString();
            const QString encoded = DataURLScrambler::Encode(url);
            if (c.contains("stored")) {
                EXPECT_EQ(encoded, stored);
            }
            EXPECT_EQ(DataURLScrambler::Decode(encoded), c["decoded"].toString(url));
        } else if (c["error"].toBool()) {
            EXPECT_THROW(DataURLScrambler::Decode(stored), ProgramError);
        } else {
            EXPECT_EQ(DataURLScrambler::Decode(stored), c["decoded"].toString());
        }
    }
}

TEST(DataURLScramblerTest, EveryCodePageCharacterSurvivesARoundTrip) {
    QString all;
    for (int code = 0; code <= 0xFF; ++code)
        all += Windows1252::Character(code);
    EXPECT_EQ(DataURLScrambler::Decode(DataURLScrambler::Encode(all)), all);
}
