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

// An aliases document with one set per entry; each entry lists the URLs.
QByteArray AliasesXML(const QList<QStringList>& sets) {
    QByteArray xml = "<aliases>";
    for (const QStringList& urls : sets) {
        xml += "<aliasset>";
        for (const QString& url : urls)
            xml += "<url>" + url.toUtf8() + "</url>";
        xml += "</aliasset>";
    }
    return xml + "</aliases>";
}

bool LoadXML(AliasSetCollection& aliases, const QByteArray& xml) {
    XmlDocument document;
    EXPECT_TRUE(document.LoadXML(xml));
    return aliases.LoadDocument(document);
}

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

TEST(AliasSetCollectionTest, KeysAreUniqueWithoutRegardToLetterCase) {
    AliasSetCollection aliases;
    const auto unkeyed = aliases.Add();
    const auto keyed = aliases.Add("Tech");
    EXPECT_EQ(aliases.Count(), 2);
    EXPECT_EQ(aliases.Item(1), unkeyed);
    EXPECT_EQ(aliases.Item("TECH"), keyed);
    EXPECT_THROW(aliases.Add("tech"), ProgramError);
    EXPECT_EQ(aliases.Count(), 2);
    EXPECT_THROW(aliases.Item("news"), ProgramError);
    EXPECT_THROW(aliases.Item(QString()), ProgramError);
}

TEST(AliasSetCollectionTest, RemoveByPositionOrKeyFreesTheKeyAndBadPositionsThrow) {
    AliasSetCollection aliases;
    EXPECT_THROW(aliases.Item(1), ProgramError);
    aliases.Add("a");
    const auto b = aliases.Add("b");
    aliases.Add("c");
    aliases.Remove("A");
    EXPECT_EQ(aliases.Item(1), b);
    aliases.Remove(2);
    EXPECT_EQ(aliases.Count(), 1);
    EXPECT_THROW(aliases.Item("c"), ProgramError);
    EXPECT_NO_THROW(aliases.Add("a"));
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

// Lookups match letter case; what cannot be loaded fails quietly.
TEST(AliasSetCollectionTest, LookupsMatchLetterCaseAndMissingSourcesFailQuietly) {
    AliasSetCollection aliases;
    ASSERT_TRUE(aliases.FromXML(TestData::Path("aliases/qtk_aliases.xml")));
    EXPECT_NE(aliases.GetAliasSetForURL("http://example.net/tech"), nullptr);
    EXPECT_EQ(aliases.GetAliasSetForURL("http://example.NET/tech"), nullptr);

    AliasSetCollection none;
    EXPECT_FALSE(none.FromXML(TestData::Path("aliases/missing.xml")));
    EXPECT_FALSE(none.LoadDocument(XmlDocument()));
    EXPECT_EQ(none.Count(), 0);
    EXPECT_TRUE(RecordingMessageBox::Instance().Texts.isEmpty());
}

// Past the 32767 sets a 16-bit position could name.
TEST(AliasSetCollectionTest, LongListsAreReadWhole) {
    constexpr int count = 40'000;
    QList<QStringList> sets;
    for (int i = 1; i <= count; ++i)
        sets.append({QString::number(i)});
    AliasSetCollection aliases;
    EXPECT_TRUE(LoadXML(aliases, AliasesXML(sets)));
    ASSERT_EQ(aliases.Count(), count);
    EXPECT_EQ(aliases.GetAliasSetForURL(QString::number(count)), aliases.Item(count));
    const auto last = aliases.Add("last");
    EXPECT_EQ(aliases.Item(count + 1), last);
    aliases.Remove(count);
    EXPECT_EQ(aliases.Item("last"), aliases.Item(count));
    EXPECT_TRUE(RecordingMessageBox::Instance().Texts.isEmpty());
}

TEST(AliasSetCollectionTest, RemoveAllEmptiesTheListButNotTheIndex) {
    AliasSetCollection aliases;
    ASSERT_TRUE(LoadXML(aliases, AliasesXML({{"a"}, {"b"}})));
    aliases.Add("key");
    const auto a = aliases.Item(1);
    aliases.RemoveAll();
    EXPECT_EQ(aliases.Count(), 0);
    EXPECT_EQ(aliases.begin(), aliases.end());
    EXPECT_EQ(aliases.GetAliasSetForURL("a"), a);
    EXPECT_NO_THROW(aliases.Add("KEY"));
}

TEST(AliasSetCollectionTest, ResetKnownClearsEverySet) {
    AliasSetCollection aliases;
    ASSERT_TRUE(LoadXML(aliases, AliasesXML({{"a1", "a2"}, {"b1"}, {"c1"}})));
    aliases.Item(1)->IsKnown = true;
    aliases.Item(3)->IsKnown = true;
    aliases.ResetKnown();
    for (const auto& aliasSet : aliases)
        EXPECT_FALSE(aliasSet->IsKnown);
}
