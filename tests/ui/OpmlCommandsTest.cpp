#include "ui/OpmlCommands.h"

#include "model/Provider.h"
#include "model/ProviderCollection.h"
#include "support/RecordingMessageBox.h"
#include "support/TestData.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QSet>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

#include <string>

namespace {

// What an OPML outline carries of each provider, in list order, and the
// categories in any order, a line each.
std::string Outlines(const ProviderCollection& providers) {
    QStringList outlines;
    for (const auto& provider : providers) {
        if (!provider->Protected)
            outlines.append(QStringList{provider->ProviderName, provider->DataURL,
                                        provider->SiteURL, provider->Description,
                                        provider->Category}
                                .join(u'|'));
    }
    QStringList categories;
    for (const auto& category : providers.Categories())
        categories.append(category->CategoryName);
    categories.sort();
    return (outlines + categories).join(u'\n').toStdString();
}

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
    // Providers out of category order, a category whose only provider is
    // protected and an empty one: an import into an empty list gets
    // everything back but the protected provider, in the same order, under
    // IDs of its own.
    ASSERT_TRUE(
        providers.LoadFile(TestData::Path("providers/opml_round_trip.xml"), nullptr, false));
    Click("btnExportOpml");
    EXPECT_EQ(RecordingMessageBox::Instance().Texts,
              QStringList{"4 providers exported. 1 protected provider was left out."});

    ProviderCollection other;
    commands.SetProviders(&other);
    QSignalSpy imported(&commands, &OpmlCommands::Imported);
    Click("btnImportOpml");
    EXPECT_EQ(Outlines(other), Outlines(providers));
    QSet<Long> ids;
    for (const auto& provider : other) {
        EXPECT_TRUE(Provider::IsTemporaryID(provider->UniqueID));
        ids.insert(provider->UniqueID);
    }
    EXPECT_EQ(ids.size(), 4);
    EXPECT_EQ(imported.size(), 1);
    // Nothing new the second time: no change to announce.
    Click("btnImportOpml");
    EXPECT_EQ(other.Count(), 4);
    EXPECT_EQ(imported.size(), 1);
    EXPECT_TRUE(RecordingMessageBox::Instance().Texts.last().contains("4 already present"));

    // A cancelled pick, or a file that is not OPML, changes nothing.
    RecordingMessageBox::Instance().Texts.clear();
    picked.clear();
    Click("btnImportOpml");
    Click("btnExportOpml");
    EXPECT_TRUE(RecordingMessageBox::Instance().Texts.isEmpty());
    picked = folder.filePath("page.html");
    TestData::Write(picked, "<html><body>not a list</body></html>");
    Click("btnImportOpml");
    EXPECT_EQ(other.Count(), 4);
    EXPECT_EQ(imported.size(), 1);
    ASSERT_EQ(RecordingMessageBox::Instance().Texts.size(), 1);
    EXPECT_TRUE(RecordingMessageBox::Instance().Texts.first().contains("not an OPML file"));
}

} // namespace
