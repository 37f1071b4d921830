#include "model/AliasSetCollection.h"
#include "platform/XmlDocument.h"
#include "support/GoldenFile.h"
#include "support/RecordingMessageBox.h"
#include "support/TestData.h"

#include <QJsonArray>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Whether the file loaded, its sets' URLs, and for each URL the set (by
// position, 0 for none) a lookup finds.
QJsonObject Report(const QString& file) {
    AliasSetCollection aliases;
    const bool loaded = aliases.FromXML(file);
    QJsonArray sets;
    QJsonObject owners;
    for (const auto& aliasSet : aliases) {
        sets.append(QJsonArray::fromStringList(aliasSet->URLs()));
        for (const QString& url : aliasSet->URLs()) {
            qsizetype owner = 0;
            for (qsizetype i = 1; i <= aliases.Count(); ++i) {
                if (aliases.GetAliasSetForURL(url) == aliases.Item(i))
                    owner = i;
            }
            owners.insert(url, owner);
        }
    }
    return {{"loaded", loaded}, {"sets", sets}, {"owners", owners}};
}

class AliasFilesTest : public ::testing::TestWithParam<std::string> {};

// Every data/aliases/NAME.xml beside NAME.expected.json; a file is read
// without telling the user anything.
TEST_P(AliasFilesTest, ReadsAsExpected) {
    const QString file = QString::fromStdString(GetParam());
    const QString folder = TestData::Path("aliases/");
    GoldenFile::Check(folder + GoldenFile::Stem(file) + ".expected.json", Report(folder + file),
                      file, "model_tests");
    EXPECT_TRUE(RecordingMessageBox::Instance().Texts.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Files, AliasFilesTest,
                         ::testing::ValuesIn(GoldenFile::Cases(TestData::Path("aliases"), ".xml")),
                         GoldenFile::CaseName);

} // namespace

// Past the 32767 sets a 16-bit position could name.
TEST(AliasSetCollectionTest, LongListsAreReadWhole) {
    constexpr int count = 40'000;
    QByteArray xml = "<aliases>";
    for (int i = 1; i <= count; ++i)
        xml += "<aliasset><url>" + QByteArray::number(i) + "</url></aliasset>";
    XmlDocument document;
    ASSERT_TRUE(document.LoadXML(xml + "</aliases>"));
    AliasSetCollection aliases;
    EXPECT_TRUE(aliases.LoadDocument(document));
    ASSERT_EQ(aliases.Count(), count);
    EXPECT_EQ(aliases.GetAliasSetForURL(QString::number(count)), aliases.Item(count));
    const auto last = aliases.Add("last");
    EXPECT_EQ(aliases.Item(count + 1), last);
    aliases.Remove(count);
    EXPECT_EQ(aliases.Item("last"), aliases.Item(count));
    EXPECT_TRUE(RecordingMessageBox::Instance().Texts.isEmpty());
}
