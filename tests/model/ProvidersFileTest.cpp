#include "model/ProgressReporter.h"
#include "model/ProviderCollection.h"
#include "support/FileSizeLimit.h"
#include "support/RecordingMessageBox.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class ProvidersFileTest : public ::testing::Test {
protected:
    QString PathOf(const QString& name) const { return QDir(folder.path()).filePath(name); }

    QString Write(const QByteArray& bytes, const QString& name = QStringLiteral("providers.xml")) {
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
    provider->Description = QStringLiteral("About <things> & more");
    provider->DataURL = QStringLiteral("http://a.example/rss");
    provider->SiteURL = QStringLiteral("http://a.example/");
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

} // namespace

TEST_F(ProvidersFileTest, WritesTheExactLayout) {
    ProviderCollection providers;
    providers.Version = 3;
    providers.Add(Sample(QStringLiteral("A"), QStringLiteral("News")));
    providers.AddObsolete(77);
    EXPECT_EQ(providers.ToBytes(false, true, true), SmallFile);
}

TEST_F(ProvidersFileTest, ReadsBackTheSameCollectionAndBytes) {
    ProviderCollection providers;
    ASSERT_TRUE(providers.LoadFile(Write(SmallFile), nullptr, false));
    EXPECT_EQ(providers.Version, 3);
    ASSERT_EQ(providers.Count(), 1);
    EXPECT_EQ(providers.Item(1)->Description, QStringLiteral("About <things> & more"));
    ASSERT_EQ(providers.ObsoleteCount(), 1);
    EXPECT_EQ(providers.ObsoleteItem(1)->UniqueID, 77);
    EXPECT_EQ(providers.Categories().Count(), 1);
    EXPECT_EQ(providers.ToBytes(false, true, true), SmallFile);
    EXPECT_TRUE(RecordingMessageBox::Instance().Texts.isEmpty());
}

TEST_F(ProvidersFileTest, SaveThenLoadRoundTripsAByteIdenticalFile) {
    ProviderCollection providers;
    providers.Version = 12;
    for (int i = 0; i < 20; ++i) {
        auto provider = Sample(QStringLiteral("Feed %1 — ü").arg(i),
                               QStringLiteral("Top %1/Sub %2").arg(i % 3).arg(i % 2));
        provider->UniqueID = 1000 + i;
        provider->Active = i % 4 != 0;
        provider->AttemptedUpdates = i * 3;
        provider->SuccessfulUpdates = i * 2;
        provider->LastUsed = Date::FromParts(2026, 1 + i % 12, 1 + i, 13, i, 7);
        provider->TotalLoadDuration = Currency::FromScaled(12345 * i);
        provider->Protected = i % 5 == 0;
        providers.Add(provider);
    }
    providers.Categories().Add(QStringLiteral("Mine"), true, true);
    providers.AddObsolete(3);
    providers.AddObsolete(4);
    const QString path = PathOf(QStringLiteral("out.xml"));
    ASSERT_TRUE(providers.SaveFile(path, nullptr, false, true, true));
    const QByteArray first = Read(path);

    ProviderCollection reread;
    ASSERT_TRUE(reread.LoadFile(path, nullptr, false));
    ASSERT_EQ(reread.Count(), providers.Count());
    for (Integer i = 1; i <= providers.Count(); ++i) {
        EXPECT_EQ(reread.Item(i)->ProviderName, providers.Item(i)->ProviderName);
        EXPECT_EQ(reread.Item(i)->Category, providers.Item(i)->Category);
        EXPECT_EQ(reread.Item(i)->LastUsed, providers.Item(i)->LastUsed);
        EXPECT_EQ(reread.Item(i)->Protected, providers.Item(i)->Protected);
        EXPECT_EQ(reread.Item(i)->DataURL, providers.Item(i)->DataURL);
    }
    EXPECT_EQ(reread.ObsoleteCount(), 2);
    EXPECT_GT(reread.Categories().LocateCategory(QStringLiteral("Mine")), 0);
    EXPECT_EQ(reread.ToBytes(false, true, true), first);
}

TEST_F(ProvidersFileTest, MissingVersionReadsAsZeroAndIsWritten) {
    ProviderCollection providers;
    ASSERT_TRUE(providers.LoadFile(Write("<providers/>"), nullptr, false));
    EXPECT_EQ(providers.Version, 0);
    EXPECT_EQ(providers.ToBytes(false, true, true),
              QByteArray("<providers v=\"0\">\r\n</providers>"));
}

TEST_F(ProvidersFileTest, TemporaryIDComesBackDifferent) {
    ProviderCollection providers;
    ASSERT_TRUE(providers.LoadFile(Write("<providers><provider><providername>T</providername>"
                                         "<uniqueid>2147483000</uniqueid></provider></providers>"),
                                   nullptr, false));
    const Long id = providers.Item(1)->UniqueID;
    EXPECT_TRUE(Provider::IsTemporaryID(id));
    EXPECT_NE(id, 2147483000);
}

TEST_F(ProvidersFileTest, MissingOrMalformedFilesAddNothing) {
    ProviderCollection providers;
    EXPECT_FALSE(providers.LoadFile(PathOf(QStringLiteral("absent.xml")), nullptr, false));
    EXPECT_FALSE(providers.LastLoadError().Reason.isEmpty());
    EXPECT_FALSE(
        providers.LoadFile(Write("<providers>\n  <provider>\n</providers>"), nullptr, false));
    EXPECT_EQ(providers.LastLoadError().Line, 3);
    EXPECT_EQ(providers.Count(), 0);
    EXPECT_TRUE(RecordingMessageBox::Instance().Texts.isEmpty());
}

TEST_F(ProvidersFileTest, UnreadableValuesKeepTheirDefaultsAndLoadingGoesOn) {
    ProviderCollection providers;
    ASSERT_TRUE(providers.LoadFile(
        Write("<providers>"
              "<provider><providername>One</providername></provider>"
              "<provider><providername>Two</providername>"
              "<refreshminutes>abc</refreshminutes></provider>"
              "<provider><!-- hand edit --><providername>Three</providername></provider>"
              "<category><categoryname>C</categoryname><active>sometimes</active></category>"
              "</providers>"),
        nullptr, false));
    ASSERT_EQ(providers.Count(), 3);
    EXPECT_EQ(providers.Item(2)->RefreshMinutes, 60);
    EXPECT_EQ(providers.Item(3)->ProviderName, QStringLiteral("Three"));
    EXPECT_TRUE(providers.Categories().Item(1)->Active);
    EXPECT_EQ(RecordingMessageBox::Instance().Texts.size(), 1);
}

TEST_F(ProvidersFileTest, WhichCategoriesAreWritten) {
    ProviderCollection providers;
    providers.Categories().Add(QStringLiteral("UserEmpty"), true, true);
    providers.Categories().Add(QStringLiteral("BuiltInEmpty"), true, false);
    providers.Categories().Add(QStringLiteral("A"), false, false);
    providers.Add(Sample(QStringLiteral("x"), QStringLiteral("A/B")));
    providers.Categories().Item(4)->UserDefined = false; // as delivered by the master list
    const QString path = PathOf(QStringLiteral("cats.xml"));
    ASSERT_TRUE(providers.SaveFile(path, nullptr, false, true, true));

    ProviderCollection reread;
    ASSERT_TRUE(reread.LoadFile(path, nullptr, false));
    const CategoryCollection& categories = reread.Categories();
    EXPECT_GT(categories.LocateCategory(QStringLiteral("UserEmpty")), 0);
    EXPECT_EQ(categories.LocateCategory(QStringLiteral("BuiltInEmpty")), -1);
    // An inactive parent holding only sub-categories keeps its choice.
    const Integer a = categories.LocateCategory(QStringLiteral("A"));
    ASSERT_GT(a, 0);
    EXPECT_FALSE(categories.Item(a)->Active);

    reread.RemoveEmptyCategories();
    EXPECT_EQ(reread.Categories().LocateCategory(QStringLiteral("UserEmpty")), -1);
}

TEST_F(ProvidersFileTest, AFailedSaveLeavesThePreviousFileAndSaysSo) {
    const QByteArray previous = "<providers v=\"1\">previous</providers>";
    const QString path = Write(previous, QStringLiteral("keep.xml"));
    ProviderCollection providers;
    providers.Add(Sample(QStringLiteral("A"), QString()));
    {
        // The disk "fills up" after 100 bytes of any file.
        const FileSizeLimit limit(100);
        EXPECT_FALSE(providers.SaveFile(path, nullptr, false, true, true));
    }
    EXPECT_EQ(RecordingMessageBox::Instance().Texts,
              QStringList{QStringLiteral("Error in ProviderCollection.SaveFile!")});
    EXPECT_EQ(Read(path), previous);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("keep.xml")});
}

TEST_F(ProvidersFileTest, SaveCreatesAMissingFolder) {
    ProviderCollection providers;
    const QString path = PathOf(QStringLiteral("new/folder/qtk_providers.xml"));
    EXPECT_TRUE(providers.SaveFile(path, nullptr, false, true, true));
    EXPECT_TRUE(QFile::exists(path));
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
    ProviderCollection providers;
    providers.Version = 7;
    providers.Categories().Add(QStringLiteral("Empty & <user>"), false, true);
    for (int i = 0; i < 6; ++i) {
        auto provider =
            Sample(QStringLiteral("Feed \"%1\" — ü").arg(i), QStringLiteral("A/B %1").arg(i % 2));
        provider->Description = i % 2 ? QString() : QStringLiteral("line\r\nbreak\tand\x01control");
        provider->Protected = i % 3 == 0;
        provider->ImageURL = i % 2 ? QStringLiteral("http://x/logo.png?a=1&b=2") : QString();
        provider->Active = i != 4;
        provider->RefreshMinutes = static_cast<Integer>(60 + i);
        provider->PresentFlags = 0x1FFF >> i;
        providers.Add(provider);
    }
    providers.AddObsolete(-5);
    for (const bool diffOnly : {false, true}) {
        for (const bool dynamic : {false, true}) {
            XmlDocument document;
            XmlNode root =
                document.AppendChild(document.CreateElement(QStringLiteral("providers")));
            root.SetAttribute(QStringLiteral("v"), QStringLiteral("7"));
            root.AppendChild(document.CreateTextNode(QStringLiteral("\r\n")));
            const auto line = [&](XmlNode element, bool indentEndTag) {
                root.AppendChild(document.CreateTextNode(QStringLiteral("  ")));
                if (indentEndTag)
                    element.AppendChild(document.CreateTextNode(QStringLiteral("  ")));
                root.AppendChild(element);
                root.AppendChild(document.CreateTextNode(QStringLiteral("\r\n")));
            };
            for (const auto& category : providers.Categories())
                line(category->AsXML(document, QStringLiteral("    ")), true);
            for (const auto& provider : providers)
                line(provider->AsXML(document, QStringLiteral("    "), diffOnly, dynamic), true);
            line(providers.ObsoleteItem(1)->AsXML(document), false);
            EXPECT_EQ(providers.ToBytes(diffOnly, dynamic, true), document.ToBytes())
                << diffOnly << dynamic;
        }
    }
}
