#include "config/ProviderListStartup.h"
#include "MasterListFixture.h"
#include "config/ProgramVersion.h"
#include "config/Settings.h"
#include "config/UpdateReport.h"
#include "model/Provider.h"
#include "model/ProviderCollection.h"
#include "support/RecordingMessageBox.h"
#include "support/SilentReport.h"

namespace {

class ProviderListStartupTest : public MasterListFixture {
protected:
    std::shared_ptr<Provider> AddUser(Long id, const QString& name, Long origin) {
        auto provider = std::make_shared<Provider>();
        provider->UniqueID = id;
        provider->ProviderName = name;
        provider->Origin = origin;
        provider->Category = QStringLiteral("Mine");
        provider->UserCategory = true;
        return providers.Add(provider);
    }

    ProviderCollection providers;
    Settings settings;
    StatusRecorder progress;
    SilentReport report;
    ProviderListStartup startup{providers, settings, Locations(), progress};
};

} // namespace

TEST_F(ProviderListStartupTest, AMissingFileIsSeededFromTheMasterListAndSorted) {
    PublishList(ProviderXml(2, "zulu", "News") + ProviderXml(1, "alpha", "World/Europe"), {});

    EXPECT_TRUE(startup.LoadProviderList(cache.filePath(QStringLiteral("none.xml"))));
    startup.SortProviderList();

    ASSERT_EQ(providers.Count(), 2);
    EXPECT_EQ(providers.Item(1)->ProviderName, "zulu");
    EXPECT_TRUE(providers.Item(1)->FirstInCategory);
    EXPECT_EQ(providers.Item(2)->ProviderName, "alpha");
    EXPECT_EQ(progress.Statuses.first(), "Loading provider list...");
    EXPECT_EQ(progress.Statuses.mid(progress.Statuses.size() - 3),
              QStringList({"Sorting 3...", "Sorting providers by category...",
                           "Marking first in category..."}));
    EXPECT_TRUE(RecordingMessageBox::Instance().Texts.isEmpty());
}

// A build without a master list server seeds a new list from the copy it
// ships, merges that copy when the program is newer than the preferences,
// and never checks for updates: nothing is asked of any server.
TEST_F(ProviderListStartupTest, WithoutAServerTheShippedListSeedsAndNothingIsChecked) {
    ProviderListStartup offline{providers, settings, WithoutServer(), progress};
    // The shipped delta set counts as well.
    WriteBundledList(ProviderXml(1, "alpha", "News") + ProviderXml(2, "beta", "News"),
                     "<obsolete uniqueid=\"2\"/>");
    PublishList(ProviderXml(1, "published", "News"), {});

    EXPECT_TRUE(offline.LoadProviderList(cache.filePath(QStringLiteral("none.xml"))));
    ASSERT_EQ(providers.Count(), 1);
    EXPECT_EQ(providers.Item(1)->ProviderName, "alpha");

    providers.Remove(1);
    settings.CheckForProviderUpdates = true;
    for (const QString& version : {ProgramVersionString(), QStringLiteral("0.9.5")}) {
        settings.PrefsVersion = version;
        bool reportChanged = true;
        EXPECT_EQ(offline.UpdateFromMasterList(report, reportChanged), version == u"0.9.5");
        EXPECT_FALSE(reportChanged);
        EXPECT_EQ(providers.Count(), version == u"0.9.5" ? 1 : 0);
    }
    EXPECT_FALSE(progress.Statuses.contains("Checking for provider updates..."));
    EXPECT_TRUE(server.Requests().isEmpty());
    EXPECT_TRUE(RecordingMessageBox::Instance().Texts.isEmpty());
}

// Version 0.9.4 wrote its built-in providers with origins that kept the
// master list's changes out; they are dropped so the list brings them back
// as published, while the user's own providers stay.
TEST_F(ProviderListStartupTest, ListsOfVersion094TakeTheirBuiltInProvidersAfresh) {
    PublishList(ProviderXml(1, "alpha", "News"),
                "<provider><uniqueid>1</uniqueid><category>Elsewhere</category></provider>");
    for (const bool old : {false, true}) {
        while (providers.Count() > 0)
            providers.Remove(1);
        AddUser(1, QStringLiteral("alpha"), 5);
        AddUser(9, QStringLiteral("mine"), 1);
        settings.PrefsVersion = old ? QStringLiteral("0.9.4") : ProgramVersionString();
        settings.CheckForProviderUpdates = true;
        bool reportChanged = false;

        EXPECT_EQ(startup.UpdateFromMasterList(report, reportChanged), old) << old;

        const qsizetype alpha = providers.LocateProviderByUniqueID(1);
        ASSERT_GT(alpha, 0) << old;
        EXPECT_EQ(providers.Item(alpha)->Category, old ? "Elsewhere" : "Mine") << old;
        EXPECT_GT(providers.LocateProviderByUniqueID(9), 0) << old;
    }
}

// The defaults that stand in for unreadable values would be written over the
// user's file at the next save; the file as it was is kept beside it first.
TEST_F(ProviderListStartupTest, AFileWithUnreadableValuesIsCopiedAsideBeforeUse) {
    for (const bool lost : {false, true}) {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("qtk_providers.xml"));
        const QByteArray bytes =
            TestData::Read(lost ? "providers/unreadable_values.xml" : "providers/small.xml");
        TestData::Write(path, bytes);
        RecordingMessageBox::Instance().Texts.clear();
        while (providers.Count() > 0)
            providers.Remove(1);

        EXPECT_FALSE(startup.LoadProviderList(path)) << lost;

        EXPECT_EQ(providers.Count(), lost ? 3 : 1);
        const QStringList copies =
            QDir(folder.path()).entryList({QStringLiteral("qtk_providers.xml.bad-*")});
        const QStringList& texts = RecordingMessageBox::Instance().Texts;
        if (!lost) {
            EXPECT_TRUE(copies.isEmpty());
            EXPECT_TRUE(texts.isEmpty());
            continue;
        }
        ASSERT_EQ(copies.size(), 1);
        EXPECT_EQ(TestData::ReadFile(folder.filePath(copies.first())), bytes);
        EXPECT_EQ(TestData::ReadFile(path), bytes);
        ASSERT_EQ(texts.size(), 1);
        EXPECT_TRUE(texts.first().contains(copies.first())) << texts.first().toStdString();
    }
}
