#include "model/AliasSetCollection.h"
#include "platform/ProgramError.h"
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

TEST(AliasSetCollectionTest, KeysAreUniqueWithoutLetterCaseAndRemovingFreesThem) {
    AliasSetCollection aliases;
    EXPECT_THROW(aliases.Item(1), ProgramError);
    const auto unkeyed = aliases.Add();
    const auto keyed = aliases.Add("Tech");
    EXPECT_EQ(aliases.Item(1), unkeyed);
    EXPECT_EQ(aliases.Item("TECH"), keyed);
    EXPECT_THROW(aliases.Add("tech"), ProgramError);
    EXPECT_THROW(aliases.Item("news"), ProgramError);
    EXPECT_THROW(aliases.Item(QString()), ProgramError);
    const auto c = aliases.Add("c");
    aliases.Remove("TECH");
    EXPECT_EQ(aliases.Item(2), c);
    aliases.Remove(2);
    EXPECT_EQ(aliases.Count(), 1);
    EXPECT_THROW(aliases.Item("c"), ProgramError);
    EXPECT_NO_THROW(aliases.Add("tech"));
    EXPECT_NO_THROW(aliases.Add("C"));
    EXPECT_THROW(aliases.Remove("gone"), ProgramError);
    for (const qsizetype position : {0, -1, 4}) {
        EXPECT_THROW(aliases.Item(position), ProgramError) << position;
        EXPECT_THROW(aliases.Remove(position), ProgramError) << position;
    }
    EXPECT_EQ(aliases.Count(), 3);
}

TEST(AliasSetCollectionTest, AddFromXMLIndexesTheSetWithoutAppendingIt) {
    XmlDocument document;
    ASSERT_TRUE(document.LoadXML("<aliases><s><u>a</u></s><s/></aliases>"));
    const QList<XmlNode> elements = document.DocumentElement().ChildNodes();
    AliasSetCollection aliases;
    const auto aliasSet = aliases.AddFromXML(elements[0]);
    ASSERT_NE(aliasSet, nullptr);
    EXPECT_EQ(aliases.Count(), 0);
    EXPECT_EQ(aliases.GetAliasSetForURL("a"), aliasSet);
    EXPECT_EQ(aliases.AddFromXML(elements[1]), nullptr);
}

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

TEST(AliasSetCollectionTest, LookupsResetKnownRemoveAllAndFailedLoads) {
    AliasSetCollection aliases;
    ASSERT_TRUE(aliases.FromXML(TestData::Path("aliases/qtk_aliases.xml")));
    // Lookups match letter case.
    EXPECT_NE(aliases.GetAliasSetForURL("http://example.net/tech"), nullptr);
    EXPECT_EQ(aliases.GetAliasSetForURL("http://example.NET/tech"), nullptr);
    for (const auto& aliasSet : aliases)
        aliasSet->IsKnown = true;
    aliases.ResetKnown();
    for (const auto& aliasSet : aliases)
        EXPECT_FALSE(aliasSet->IsKnown);

    aliases.Add("key");
    const auto a = aliases.Item(1);
    aliases.RemoveAll();
    EXPECT_EQ(aliases.Count(), 0);
    EXPECT_EQ(aliases.begin(), aliases.end());
    EXPECT_EQ(aliases.GetAliasSetForURL("http://example.com/news.rss"), a);
    EXPECT_NO_THROW(aliases.Add("KEY"));

    // What cannot be loaded fails quietly.
    AliasSetCollection none;
    EXPECT_FALSE(none.FromXML(TestData::Path("aliases/missing.xml")));
    EXPECT_FALSE(none.LoadDocument(XmlDocument()));
    EXPECT_EQ(none.Count(), 0);
    EXPECT_TRUE(RecordingMessageBox::Instance().Texts.isEmpty());
}
