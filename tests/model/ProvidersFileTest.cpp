#include "model/ProgressReporter.h"
#include "model/ProviderCollection.h"
#include "support/FileSizeLimit.h"
#include "support/RecordingMessageBox.h"
#include "support/TestData.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class ProvidersFileTest : public ::testing::Test {
protected:
    QString PathOf(const QString& name) const { return QDir(folder.path()).filePath(name); }

    QString Write(const QByteArray& bytes, const QString& name = "providers.xml") {
        QFile file(PathOf(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    static QByteArray Read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir folder;
};

std::shared_ptr<Provider> Sample(const QString& name, const QString& category) {
    auto provider = std::make_shared<Provider>();
    provider->ProviderName = name;
    provider->UniqueID = 5;
    provider->Description = "About <things> & more";
    provider->DataURL = "http://a.example/rss";
    provider->SiteURL = "http://a.example/";
    provider->Category = category;
    return provider;
}

const QByteArray SmallFile = "<providers v=\"3\">\r\n"
                             "  <category>\r\n"
                             "    <categoryname>News</categoryname>\r\n"
                             "    <userdefined>True</userdefined>\r\n"
                             "  </category>\r\n"
                             "  <provider>\r\n"
                             "    <providername>A</providername>\r\n"
                             "    <uniqueid>5</uniqueid>\r\n"
                             "    <description>About &lt;things&gt; &amp; more</description>\r\n"
                             "    <lastused>12:00:00 AM</lastused>\r\n"
                             "    <backcolor>0</backcolor>\r\n"
                             "    <dataurl>http://a.example/rss</dataurl>\r\n"
                             "    <siteurl>http://a.example/</siteurl>\r\n"
                             "    <category>News</category>\r\n"
                             "    <attemptedupdates>0</attemptedupdates>\r\n"
                             "    <lastloadduration>0</lastloadduration>\r\n"
                             "    <totalloadduration>0</totalloadduration>\r\n"
                             "  </provider>\r\n"
                             "  <obsolete uniqueid=\"77\"/>\r\n"
                             "</providers>";

// Providers that differ in every way the file shows: text to escape or leave
// out, nested categories, flags, counters, dates, durations, protection and
// which fields a delta carries.
ProviderCollection Varied() {
    ProviderCollection providers;
    providers.Version = 12;
    providers.Categories().Add("Empty & <user>", false, true);
    for (int i = 0; i < 20; ++i) {
        auto provider = Sample(QStringLiteral("Feed \"%1\" — ü").arg(i),
                               QStringLiteral("Top %1/Sub %2").arg(i % 3).arg(i % 2));
        provider->UniqueID = 1000 + i;
        provider->Description = i % 2 ? QString() : "line\r\nbreak\tand\x01 control";
        provider->ImageURL = i % 2 ? "http://x/logo.png?a=1&b=2" : QString();
        provider->Active = i % 4 != 0;
        provider->RefreshMinutes = static_cast<Integer>(60 + i);
        provider->AttemptedUpdates = i * 3;
        provider->SuccessfulUpdates = i * 2;
        provider->LastUsed = Date::FromParts(2026, 1 + i % 12, 1 + i, 13, i, 7);
        provider->TotalLoadDuration = Currency::FromScaled(12345 * i);
        provider->Protected = i % 5 == 0;
        provider->PresentFlags = 0x1FFF >> (i % 14);
        providers.Add(provider);
    }
    providers.AddObsolete(-5);
    providers.AddObsolete(4);
    return providers;
}

} // namespace

TEST_F(ProvidersFileTest, WritesTheExactLayoutAndReadsItBack) {
    ProviderCollection written;
    written.Version = 3;
    written.Add(Sample("A", "News"));
    written.AddObsolete(77);
    EXPECT_EQ(written.ToBytes(false, true, true), SmallFile);

    ProviderCollection providers;
    ASSERT_TRUE(providers.LoadFile(Write(SmallFile), nullptr, false));
    EXPECT_EQ(providers.Version, 3);
    ASSERT_EQ(providers.Count(), 1);
    EXPECT_EQ(providers.Item(1)->Description, "About <things> & more");
    ASSERT_EQ(providers.ObsoleteCount(), 1);
    EXPECT_EQ(providers.ObsoleteItem(1)->UniqueID, 77);
    EXPECT_EQ(providers.Categories().Count(), 1);
    EXPECT_EQ(providers.ToBytes(false, true, true), SmallFile);
    EXPECT_TRUE(RecordingMessageBox::Instance().Texts.isEmpty());
}

TEST_F(ProvidersFileTest, SaveIntoANewFolderThenLoadRoundTripsAByteIdenticalFile) {
    ProviderCollection providers = Varied();
    const QString path = PathOf("new/folder/qtk_providers.xml");
    ASSERT_TRUE(providers.SaveFile(path, nullptr, false, true, true));
    const QByteArray first = Read(path);

    ProviderCollection reread;
    ASSERT_TRUE(reread.LoadFile(path, nullptr, false));
    ASSERT_EQ(reread.Count(), providers.Count());
    for (qsizetype i = 1; i <= providers.Count(); ++i) {
        EXPECT_EQ(reread.Item(i)->ProviderName, providers.Item(i)->ProviderName);
        EXPECT_EQ(reread.Item(i)->Category, providers.Item(i)->Category);
        EXPECT_EQ(reread.Item(i)->LastUsed, providers.Item(i)->LastUsed);
        EXPECT_EQ(reread.Item(i)->Protected, providers.Item(i)->Protected);
        EXPECT_EQ(reread.Item(i)->DataURL, providers.Item(i)->DataURL);
    }
    EXPECT_EQ(reread.ObsoleteCount(), 2);
    EXPECT_GT(reread.Categories().LocateCategory("Empty & <user>"), 0);
    EXPECT_EQ(reread.ToBytes(false, true, true), first);
}

// Past the 32767 providers a 16-bit position could name; the file is the
// same as for a short list.
TEST_F(ProvidersFileTest, LongListsRoundTripWhole) {
    constexpr int count = 40'000;
    ProviderCollection providers;
    for (int i = 1; i <= count; ++i) {
        auto provider =
            Sample(QStringLiteral("Feed %1").arg(i), QStringLiteral("Group %1").arg(i % 3));
        provider->UniqueID = i;
        provider->DataURL = QStringLiteral("http://x/%1").arg(i);
        providers.Add(provider);
    }
    const QString path = PathOf("qtk_providers.xml");
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
    EXPECT_EQ(reread.ToBytes(false, true, true), Read(path));
    EXPECT_TRUE(RecordingMessageBox::Instance().Texts.isEmpty());
}

// Every stored field away from its default, a protected data URL among
// them: reading and writing, and copying the collection, lose none.
TEST_F(ProvidersFileTest, EveryStoredFieldSurvivesReadingWritingAndCopying) {
    const QString path = TestData::Path("providers/every_field.xml");
    const QByteArray file = Read(path);
    ProviderCollection providers;
    ASSERT_TRUE(providers.LoadFile(path, nullptr, false));
    EXPECT_FALSE(providers.LastLoadLostValues());
    EXPECT_EQ(providers.ToBytes(false, true, true), file);

    const auto copy = providers.Copy(nullptr);
    copy->Version = providers.Version;
    EXPECT_EQ(copy->ToBytes(false, true, true), file);
}

TEST_F(ProvidersFileTest, MissingVersionReadsAsZeroAndIsWritten) {
    ProviderCollection providers;
    ASSERT_TRUE(providers.LoadFile(Write("<providers/>"), nullptr, false));
    EXPECT_EQ(providers.Version, 0);
    EXPECT_EQ(providers.ToBytes(false, true, true),
              QByteArray("<providers v=\"0\">\r\n</providers>"));
}

TEST_F(ProvidersFileTest, MissingOrMalformedFilesAddNothing) {
    ProviderCollection providers;
    EXPECT_FALSE(providers.LoadFile(PathOf("absent.xml"), nullptr, false));
    EXPECT_FALSE(providers.LastLoadError().Reason.isEmpty());
    EXPECT_FALSE(
        providers.LoadFile(Write("<providers>\n  <provider>\n</providers>"), nullptr, false));
    EXPECT_EQ(providers.LastLoadError().Line, 3);
    EXPECT_EQ(providers.Count(), 0);
    EXPECT_TRUE(RecordingMessageBox::Instance().Texts.isEmpty());
}

TEST_F(ProvidersFileTest, UnreadableValuesKeepTheirDefaultsAndLoadingGoesOnWithOneMessage) {
    ProviderCollection providers;
    ASSERT_TRUE(providers.LoadFile(
        Write("<providers>"
              "<provider><providername>One</providername>"
              "<uniqueid>2147483000</uniqueid></provider>"
              "<provider><providername>Two</providername>"
              "<refreshminutes>abc</refreshminutes></provider>"
              "<provider><!-- hand edit --><providername>Three</providername></provider>"
              "<category><categoryname>C</categoryname><active>sometimes</active></category>"
              "</providers>"),
        nullptr, false));
    ASSERT_EQ(providers.Count(), 3);
    // A temporary identifier read from the file is issued afresh.
    EXPECT_TRUE(Provider::IsTemporaryID(providers.Item(1)->UniqueID));
    EXPECT_NE(providers.Item(1)->UniqueID, 2147483000);
    EXPECT_EQ(providers.Item(2)->RefreshMinutes, 60);
    EXPECT_EQ(providers.Item(3)->ProviderName, "Three");
    EXPECT_TRUE(providers.Categories().Item(1)->Active);
    EXPECT_TRUE(providers.LastLoadLostValues());
    EXPECT_EQ(RecordingMessageBox::Instance().Texts.size(), 1);
    // Reading alone tells nobody: its caller does.
    ProviderCollection quiet;
    ASSERT_TRUE(quiet.ReadFile(PathOf("providers.xml"), nullptr, false));
    EXPECT_TRUE(quiet.LastLoadLostValues());
    EXPECT_EQ(RecordingMessageBox::Instance().Texts.size(), 1);
    ASSERT_TRUE(quiet.ReadFile(Write(SmallFile, "small.xml"), nullptr, false));
    EXPECT_FALSE(quiet.LastLoadLostValues());
}

TEST_F(ProvidersFileTest, WhichCategoriesAreWritten) {
    ProviderCollection providers;
    providers.Categories().Add("UserEmpty", true, true);
    providers.Categories().Add("BuiltInEmpty", true, false);
    providers.Categories().Add("A", false, false);
    providers.Add(Sample("x", "A/B"));
    providers.Categories().Item(4)->UserDefined = false; // as delivered by the master list
    const QString path = PathOf("cats.xml");
    ASSERT_TRUE(providers.SaveFile(path, nullptr, false, true, true));

    ProviderCollection reread;
    ASSERT_TRUE(reread.LoadFile(path, nullptr, false));
    const CategoryCollection& categories = reread.Categories();
    EXPECT_GT(categories.LocateCategory("UserEmpty"), 0);
    EXPECT_EQ(categories.LocateCategory("BuiltInEmpty"), -1);
    // An inactive parent holding only sub-categories keeps its choice.
    const qsizetype a = categories.LocateCategory("A");
    ASSERT_GT(a, 0);
    EXPECT_FALSE(categories.Item(a)->Active);

    reread.RemoveEmptyCategories();
    EXPECT_EQ(reread.Categories().LocateCategory("UserEmpty"), -1);
}

TEST_F(ProvidersFileTest, AFailedSaveLeavesThePreviousFileAndSaysSo) {
    const QByteArray previous = "<providers v=\"1\">previous</providers>";
    const QString path = Write(previous, "keep.xml");
    ProviderCollection providers;
    providers.Add(Sample("A", QString()));
    {
        // The disk "fills up" after 100 bytes of any file.
        const FileSizeLimit limit(100);
        EXPECT_FALSE(providers.SaveFile(path, nullptr, false, true, true));
    }
    EXPECT_EQ(RecordingMessageBox::Instance().Texts,
              QStringList{"Error in ProviderCollection.SaveFile!"});
    EXPECT_EQ(Read(path), previous);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"keep.xml"});
}

TEST_F(ProvidersFileTest, ReportsProgress) {
    struct Progress : ProgressReporter {
        void SetStatus(const QString&) override {}
        void OpenProgress(int maximum) override { Maximum = maximum; }
        void UpdateProgress(int value) override { Values.append(value); }
        void CloseProgress() override { ++Closed; }
        int Maximum = -1;
        QList<int> Values;
        int Closed = 0;
    } progress;
    ProviderCollection providers;
    ASSERT_TRUE(providers.LoadFile(Write(SmallFile), &progress, false));
    EXPECT_EQ(progress.Maximum, 2);
    EXPECT_EQ(progress.Values, QList<int>({0, 1, 2}));
    EXPECT_EQ(progress.Closed, 1);
}

// The file is streamed for speed; it must stay exactly what saving the
// elements built by AsXML gives.
TEST_F(ProvidersFileTest, StreamedFileEqualsTheSavedDocument) {
    const ProviderCollection providers = Varied();
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
            for (const auto& category : providers.Categories())
                line(category->AsXML(document, "    "), true);
            for (const auto& provider : providers)
                line(provider->AsXML(document, "    ", diffOnly, dynamic), true);
            for (qsizetype i = 1; i <= providers.ObsoleteCount(); ++i)
                line(providers.ObsoleteItem(i)->AsXML(document), false);
            EXPECT_EQ(providers.ToBytes(diffOnly, dynamic, true), document.ToBytes())
                << diffOnly << dynamic;
        }
    }
}
