#include "ui/DirectoryImportCommand.h"

#include "support/EventWait.h"
#include "support/ListLines.h"
#include "support/NamedProviders.h"
#include "support/ProgramHome.h"
#include "support/RecordingMessageBox.h"
#include "support/TestData.h"
#include "ui/BulkAddConfForm.h"
#include "ui/ProvidersPage.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTextEdit>

namespace {

using namespace std::chrono_literals;
using Answer = MessageBoxPresenter::Answer;

template <typename T>
T* Child(const QWidget& parent, const char* name) {
    T* child = parent.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

// The confirmation window: its text and check boxes by what is offered,
// the address the user may change or replace by a file, and the help topic.
TEST(BulkAddConfFormTest, OffersTheOptionsAndTheAddress) {
    QStringList topics;
    BulkAddConfForm form([&](const QString& topic) { topics.append(topic); },
                         [](QWidget*) { return QStringLiteral("/home/user/services.xml"); });
    auto* ok = Child<QDialogButtonBox>(form, "")->button(QDialogButtonBox::Ok);
    for (const QJsonValue& c : TestData::Cases(QStringLiteral("cases/bulk-add-messages.json"))) {
        SCOPED_TRACE(c["listName"].toString().toStdString());
        const QString title = "Add " + c["listName"].toString() + " Providers";
        form.Prepare(title, c["listName"].toString(), c["url"].toString(), c["category"].toString(),
                     c["offerDetails"].toBool(), c["offerActive"].toBool());
        EXPECT_EQ(form.windowTitle(), title);
        EXPECT_EQ(Child<QPlainTextEdit>(form, "txtMessage")->toPlainText(), c["text"].toString());
        EXPECT_EQ(Child<QCheckBox>(form, "chkLoadDetails")->isHidden(),
                  !c["offerDetails"].toBool());
        EXPECT_EQ(Child<QCheckBox>(form, "chkMakeActive")->isHidden(), !c["offerActive"].toBool());
        EXPECT_EQ(ok->isEnabled(), !c["url"].toString().isEmpty());
    }
    // As the last case: no details offered, making active offered.
    Child<QCheckBox>(form, "chkMakeActive")->setChecked(false);
    Child<QPushButton>(form, "btnPickFile")->click();
    Child<QDialogButtonBox>(form, "")->button(QDialogButtonBox::Help)->click();
    EXPECT_EQ(topics, QStringList({"SettingsProvidersBulk"}));
    EXPECT_TRUE(TestData::Read(TestData::Bundled("help/index.html"))
                    .contains("<section id=\"SettingsProvidersBulk\">"));
    form.accept();
    const BulkAddConfForm::Options options = form.Result();
    EXPECT_TRUE(options.Ok);
    EXPECT_TRUE(options.GetDetails) << "not offered: keeps its checked state";
    EXPECT_FALSE(options.MakeActive);
    EXPECT_EQ(options.Source, "/home/user/services.xml");

    form.Prepare("T", "L", QString(), QString(), true, false);
    EXPECT_TRUE(Child<QCheckBox>(form, "chkMakeActive")->isChecked());
}

// The Providers tab with the command over a working copy of A and a
// provider from the directory that it no longer lists.
class DirectoryImportCommandTest : public ProgramHome {
protected:
    void SetUp() override {
        RecordingMessageBox::Instance().Texts.clear();
        RecordingMessageBox::Instance().NextAnswer = Answer::Yes;
        NewProgram();
        providers = NamedProviders({"A", "Gone"}, server.Url("/").toString());
        providers->Item(2)->Origin = DirectoryImport::Origin;
        page = std::make_unique<ProvidersPage>(*core, [](qsizetype) { return false; });
        command = new DirectoryImportCommand(
            *core, *page, [](const QString&) {},
            [this](QWidget*, const QString&) {
                return BulkAddConfForm::Options{true, false, true, source};
            },
            DirectoryImport::Limits{2s, 2s, 1s});
        page->In(*providers, "/::/", masterListDate);
        command->SetProviders(providers.get());
        server.Serve("/list.xml", "<serviceList><services><url>" +
                                      server.Url("/A").toString().toUtf8() + "</url><url>" +
                                      server.Url("/B").toString().toUtf8() +
                                      "</url></services></serviceList>");
    }

    TestHttpServer server;
    std::unique_ptr<ProviderCollection> providers;
    std::unique_ptr<ProvidersPage> page;
    DirectoryImportCommand* command = nullptr;
    Date masterListDate;
    QString source = server.Url("/list.xml").toString();
};

// A stopped import and a list that cannot be read change nothing (what the
// import itself adds and reports is the core's); an import that runs shows
// the progress bar and deletes the vanished provider on Yes.
TEST_F(DirectoryImportCommandTest, StopAndUnreachableListChangeNothingAndAnImportDeletesOnYes) {
    const QSignalSpy imported(command, &DirectoryImportCommand::Imported);
    auto* start = Child<QPushButton>(*page, "btnDirectoryImport");
    // The import's controls the tab shows, and whether it can be started.
    const auto controls = [&] {
        QStringList shown;
        for (const char* name : {"prgProviders", "labProviderCount", "btnCancelDirectoryImport"})
            if (!Child<QWidget>(*page, name)->isHidden())
                shown << QString::fromLatin1(name);
        return shown.join(u' ') + (start->isEnabled() ? ", startable" : "");
    };
    const QString list = source;
    server.Serve("/silent.xml", {.NeverAnswer = true});
    source = server.Url("/silent.xml").toString();
    start->click();
    EXPECT_EQ(controls(), "prgProviders btnCancelDirectoryImport");
    ASSERT_TRUE(WaitUntil([&] { return server.RequestCount("/silent.xml") == 1; }));
    Child<QPushButton>(*page, "btnCancelDirectoryImport")->click();
    EXPECT_EQ(controls(), "labProviderCount, startable");

    source = "http://127.0.0.1:9/list.xml";
    start->click();
    ASSERT_TRUE(WaitUntil([&] { return !RecordingMessageBox::Instance().Texts.isEmpty(); }, 5000));
    EXPECT_EQ(RecordingMessageBox::Instance().Texts,
              QStringList({"The service list is not available. Try again later."}));
    EXPECT_EQ(ProviderNames(*providers), QStringList({"A", "Gone"}));

    source = list;
    start->click();
    ASSERT_TRUE(WaitUntil([&] { return imported.count() == 1; }));
    EXPECT_EQ(controls(), "labProviderCount, startable");
    const QString b = server.Url("/B").toString();
    EXPECT_TRUE(RecordingMessageBox::Instance().Texts.last().startsWith(
        "Your original provider list contained 1 providers"));
    EXPECT_EQ(ProviderNames(*providers), QStringList({"A", b}));
    EXPECT_EQ(ListLines(*Child<QListWidget>(*page, "lstProviders")), QStringList({"A", b}));
    EXPECT_TRUE(Child<QTextEdit>(*page, "txtProviderUpdates")->toPlainText().contains(b));
}

} // namespace
