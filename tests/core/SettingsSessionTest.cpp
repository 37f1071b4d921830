#include "core/SettingsSession.h"

#include "config/Skin.h"
#include "core/ProgramCore.h"
#include "core/SkinSelection.h"
#include "model/Provider.h"
#include "model/ProviderCollection.h"
#include "support/ProgramHome.h"
#include "support/SilentReport.h"
#include "support/StatusRecorder.h"

#include <QFileInfo>

namespace {

// The settings dialog's time over a program showing provider B of A, B and
// C (C in its own category).
class SettingsSessionTest : public ProgramHome {
protected:
    void SetUp() override {
        server.Serve("/a", Rss({"One"}));
        server.Serve("/b", Rss({"Two"}));
        server.Serve("/c", Rss({"Three"}));
        WriteProviders("<providers>" + ProviderElement(1, "A", server.Url("/a")) +
                       ProviderElement(2, "B", server.Url("/b")) +
                       ProviderElement(3, "C", server.Url("/c"), "Sport") + "</providers>");
        NewProgram();
        core->Load(QSize(15360, 11520), progress, report);
        core->ApplyPreferences();
        core->ShowProviderByID(2);
    }

    QString Shown() const {
        return core->CurrentProvider() ? core->CurrentProvider()->ProviderName : "(none)";
    }

    TestHttpServer server;
    StatusRecorder progress;
    SilentReport report;
};

TEST_F(SettingsSessionTest, CancelLeavesPreferencesListAndFileAsTheyWere) {
    const QByteArray file = Read(ProvidersFile());
    const Settings before = core->ProgramSettings();
    {
        SettingsSession session(*core, nullptr);
        EXPECT_TRUE(core->Flags().Suspended);
        session.WorkingSettings().FlipInterval = 99;
        session.WorkingSettings().ConfirmSingleDelete = false;
        session.WorkingCopy().Remove(1);
        session.WorkingCopy().Item(1)->ProviderName = "Renamed";
    }
    EXPECT_FALSE(core->Flags().Suspended);
    EXPECT_EQ(core->ProgramSettings().FlipInterval, before.FlipInterval);
    EXPECT_TRUE(core->ProgramSettings().ConfirmSingleDelete);
    ASSERT_EQ(core->Providers().Count(), 3);
    EXPECT_EQ(core->Providers().Item(2)->ProviderName, "B");
    EXPECT_EQ(Read(ProvidersFile()), file);
    EXPECT_EQ(Shown(), "B");
}

TEST_F(SettingsSessionTest, OkAdoptsAndWritesTheEditsAndKeepsTheProviderOnShowByIdentity) {
    {
        SettingsSession session(*core, nullptr);
        ProviderCollection& copy = session.WorkingCopy();
        session.WorkingSettings().FlipInterval = 42;
        copy.Item(2)->ProviderName = "Zulu";
        copy.MoveProvidersDown(2, 1);
        copy.Remove(1);
        session.Apply(true, &progress);
    }
    EXPECT_EQ(progress.Statuses.mid(progress.Statuses.size() - 4),
              QStringList({"Sorting categories...", "Sorting providers by category...",
                           "Marking first in category...", "Writing settings and providers..."}));
    EXPECT_EQ(core->ProgramSettings().FlipInterval, 42);
    EXPECT_TRUE(StoreContents().contains("FlipInterval=42"));
    EXPECT_EQ(Shown(), "Zulu");
    EXPECT_EQ(core->CurrentProvider()->UniqueID, 2);
    EXPECT_TRUE(Read(ProvidersFile()).contains("Zulu"));
    EXPECT_FALSE(Read(ProvidersFile()).contains("<providername>A<"));
}

// The windows change their skin on OK only; a list left as it was is not
// written again.
TEST_F(SettingsSessionTest, TheChosenSkinIsWornOnOkOnlyAndAnUnchangedListIsNotWritten) {
    const QDateTime written = QFileInfo(ProvidersFile()).lastModified();
    const QByteArray file = Read(ProvidersFile());
    ASSERT_NE(core->Skins().Current(), nullptr);
    for (const bool ok : {false, true}) {
        SettingsSession session(*core, nullptr);
        session.WorkingSettings().CurrentSkin = "Birch";
        if (ok)
            session.Apply(false, &progress);
        EXPECT_EQ(core->Skins().Current()->DirName, ok ? "Birch" : "Torvane");
    }
    EXPECT_EQ(progress.Statuses.last(), "Writing settings...");
    EXPECT_EQ(Read(ProvidersFile()), file);
    EXPECT_EQ(QFileInfo(ProvidersFile()).lastModified(), written);
    SettingsSession session(*core, nullptr);
    session.WorkingSettings().CurrentSkin.clear();
    session.Apply(false, nullptr);
    EXPECT_EQ(core->Skins().Current(), nullptr);
    EXPECT_TRUE(StoreContents().contains("CurrentSkin="));
}

// Deleted, switched off, or filed under a category switched off: the first
// provider the tree shows takes its place; with none left, none is shown.
TEST_F(SettingsSessionTest, AProviderOnShowThatTheDialogTookAwayGivesWayToTheFirstShown) {
    using Change = std::function<void(ProviderCollection&)>;
    const auto edit = [this](Long onShow, const Change& change) {
        core->ShowProviderByID(onShow);
        SettingsSession session(*core, nullptr);
        change(session.WorkingCopy());
        session.Apply(true, nullptr);
        return Shown();
    };
    const auto byID = [](ProviderCollection& copy, Long id) {
        return copy.Item(copy.LocateProviderByUniqueID(id));
    };
    EXPECT_EQ(edit(2, [&](ProviderCollection& copy) { copy.RemoveProvider(*byID(copy, 2)); }), "A");
    EXPECT_EQ(edit(3, [&](ProviderCollection& copy) { byID(copy, 3)->Active = false; }), "A");
    EXPECT_EQ(edit(1,
                   [&](ProviderCollection& copy) {
                       byID(copy, 3)->Active = true;
                       copy.Categories().Item(copy.Categories().LocateCategory("News"))->Active =
                           false;
                   }),
              "C");
    EXPECT_EQ(edit(3,
                   [](ProviderCollection& copy) {
                       for (const auto& provider : copy)
                           provider->Active = false;
                   }),
              "(none)");
}

} // namespace
