// What each providers file reads as and is written back as is shown by the
// files under data/providers beside their expected reports; here what the
// tool cannot show: a full disk, long lists and the streamed file against
// the document (messages and progress: the model scenarios).
#include "model/ProviderCollection.h"
#include "support/FileSizeLimit.h"
#include "support/GoldenFile.h"
#include "support/RecordingMessageBox.h"
#include "support/TestData.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString Case(const QString& name) {
    return TestData::Path(QStringLiteral("providers/") + name);
}

} // namespace

// Past the 32767 providers a 16-bit position could name; the file is the
// same as for a short list.
TEST(ProvidersFileTest, LongListsRoundTripWhole) {
    constexpr int count = 40'000;
    ProviderCollection providers;
    for (int i = 1; i <= count; ++i) {
        auto provider = std::make_shared<Provider>();
        provider->ProviderName = QStringLiteral("Feed %1").arg(i);
        provider->UniqueID = i;
        provider->DataURL = QStringLiteral("http://x/%1").arg(i);
        provider->Category = QStringLiteral("Group %1").arg(i % 3);
        providers.Add(provider);
    }
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("qtk_providers.xml"));
    ASSERT_TRUE(providers.SaveFile(path, nullptr, false, true, true));

    ProviderCollection reread;
    ASSERT_TRUE(reread.LoadFile(path, nullptr, false));
    ASSERT_EQ(reread.Count(), count);
    EXPECT_EQ(reread.Item(count)->ProviderName, "Feed 40000");
    EXPECT_EQ(reread.LocateProviderByUniqueID(33'000), 33'000);
    EXPECT_EQ(reread.LocateProviderByURL("http://x/40000"), count);
    EXPECT_EQ(reread.LocateProvider("FEED 32768"), 32'768);
    EXPECT_EQ(reread.LocateProviderAfter("Feed 40000", 32'768), count);
    EXPECT_EQ(reread.LocateLastProviderInCategory("Group 2"), 39'998);
    reread.CountProvidersByCategory();
    const auto group = reread.Categories().Item(reread.Categories().LocateCategory("Group 2"));
    EXPECT_EQ(group->ProviderCount, 13'333);
    EXPECT_EQ(reread.ToBytes(false, true, true), TestData::ReadFile(path));
    EXPECT_TRUE(RecordingMessageBox::Instance().Texts.isEmpty());
}

// A failed save leaves the previous file and says so.
TEST(ProvidersFileTest, AFailedSaveLeavesThePreviousFile) {
    QTemporaryDir folder;
    const QByteArray previous = "<providers v=\"1\">previous</providers>";
    const QString path = TestData::Write(folder.filePath(QStringLiteral("keep.xml")), previous);
    ProviderCollection providers;
    ASSERT_TRUE(providers.LoadFile(Case("small.xml"), nullptr, false));
    {
        // The disk "fills up" after 100 bytes of any file.
        const FileSizeLimit limit(100);
        EXPECT_FALSE(providers.SaveFile(path, nullptr, false, true, true));
    }
    EXPECT_EQ(RecordingMessageBox::Instance().Texts,
              QStringList{"Error in ProviderCollection.SaveFile!"});
    EXPECT_EQ(TestData::ReadFile(path), previous);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"keep.xml"});
}

// The file is streamed for speed; in every layout it must stay exactly what
// saving the provider elements built by AsXML gives (a category element is
// built by the code that streams it). A copy of the list writes the same
// file but for the obsolete records.
TEST(ProvidersFileTest, StreamedFileEqualsTheSavedDocumentAndTheCopysFile) {
    for (const QString& file : GoldenFile::FilesUnder(TestData::Path("providers"))) {
        ProviderCollection providers;
        if (!file.endsWith(".xml") || !providers.ReadFile(Case(file), nullptr, false))
            continue;
        for (const bool diffOnly : {false, true}) {
            for (const bool dynamic : {false, true}) {
                XmlDocument document;
                XmlNode root = document.AppendChild(document.CreateElement("providers"));
                root.SetAttribute("v", QString::number(providers.Version));
                root.AppendChild(document.CreateTextNode("\r\n"));
                const auto line = [&](XmlNode element, bool indentEndTag) {
                    root.AppendChild(document.CreateTextNode("  "));
                    if (indentEndTag)
                        element.AppendChild(document.CreateTextNode("  "));
                    root.AppendChild(element);
                    root.AppendChild(document.CreateTextNode("\r\n"));
                };
                for (const auto& provider : providers)
                    line(provider->AsXML(document, "    ", diffOnly, dynamic), true);
                for (qsizetype i = 1; i <= providers.ObsoleteCount(); ++i)
                    line(providers.ObsoleteItem(i)->AsXML(document), false);
                EXPECT_EQ(providers.ToBytes(diffOnly, dynamic, false), document.ToBytes())
                    << file.toStdString() << diffOnly << dynamic;
            }
        }
        const auto copy = providers.Copy(nullptr);
        copy->Version = providers.Version;
        if (providers.ObsoleteCount() == 0) { // not copied
            EXPECT_EQ(copy->ToBytes(false, true, true), providers.ToBytes(false, true, true))
                << file.toStdString();
        }
    }
}
