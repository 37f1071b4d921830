#include "ui/OpmlCommands.h"

#include "model/Provider.h"
#include "model/ProviderCollection.h"
#include "support/RecordingMessageBox.h"
#include "support/TestData.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

// The dialog's two buttons over a working copy, with the file the user
// would pick.
class OpmlCommandsTest : public ::testing::Test {
protected:
    OpmlCommandsTest() {
        RecordingMessageBox::Instance().Texts.clear();
        commands.SetProviders(&providers);
    }

    void Click(const char* name) { owner.findChild<QPushButton*>(name)->click(); }

    QTemporaryDir folder;
    QString picked = folder.filePath("feeds.opml");
    QWidget owner;
    QHBoxLayout* row = new QHBoxLayout(&owner);
    OpmlCommands commands{*row, owner, [this](QWidget*, bool) {
                              return picked;
                          }};
    ProviderCollection providers;
};

TEST_F(OpmlCommandsTest, ExportThenImportBringsTheFeedsBackAndAnythingElseChangesNothing) {
    auto provider = std::make_shared<Provider>();
    provider->ProviderName = "Globe";
    provider->DataURL = "http://globe.example/feed.xml";
    provider->Category = "News/World";
    providers.Add(provider);
    Click("btnExportOpml");
    ASSERT_EQ(RecordingMessageBox::Instance().Texts.size(), 1);
    EXPECT_TRUE(RecordingMessageBox::Instance().Texts.first().contains("1 provider"));

    ProviderCollection other;
    commands.SetProviders(&other);
    QSignalSpy imported(&commands, &OpmlCommands::Imported);
    Click("btnImportOpml");
    ASSERT_EQ(other.Count(), 1);
    EXPECT_EQ(other.Item(1)->Category, "News/World");
    EXPECT_EQ(imported.size(), 1);
    // Nothing new the second time: no change to announce.
    Click("btnImportOpml");
    EXPECT_EQ(other.Count(), 1);
    EXPECT_EQ(imported.size(), 1);
    EXPECT_TRUE(RecordingMessageBox::Instance().Texts.last().contains("1 already present"));

    // A cancelled pick, or a file that is not OPML, changes nothing.
    RecordingMessageBox::Instance().Texts.clear();
    picked.clear();
    Click("btnImportOpml");
    Click("btnExportOpml");
    EXPECT_TRUE(RecordingMessageBox::Instance().Texts.isEmpty());
    picked = folder.filePath("page.html");
    TestData::Write(picked, "<html><body>not a list</body></html>");
    Click("btnImportOpml");
    EXPECT_EQ(other.Count(), 1);
    EXPECT_EQ(imported.size(), 1);
    ASSERT_EQ(RecordingMessageBox::Instance().Texts.size(), 1);
    EXPECT_TRUE(RecordingMessageBox::Instance().Texts.first().contains("not an OPML file"));
}

} // namespace
