#include "ui/ProvidersPage.h"

#include "core/RepeatSchedule.h"
#include "support/NamedProviders.h"
#include "support/PageScenario.h"
#include "support/ProgramHome.h"
#include "ui/AddFeedDialog.h"
#include "ui/CategoryPathTree.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace {

// Answers the modal dialog of type T that `button` opens.
template <typename T>
void AnswerDialog(QPushButton* button, const std::function<void(T&)>& answer) {
    QTimer::singleShot(0, [=] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        answer(*dialog);
    });
    button->click();
}

// A feed with a name, a site and a description, served on this machine.
const QByteArray DetailedFeed =
    "<rss version=\"2.0\"><channel><title>Harbour News</title><link>http://127.0.0.1/site</link>"
    "<description>From the harbour</description><item><title>Ships</title></item></channel></rss>";

// The Providers tab over a working copy, as the settings dialog shows it,
// step by step. Besides the widgets a scenario watches "copy" (the working
// copy's order), "pending" (those with a fetch on its way), "master list"
// and "program's list". Which blocks move, the sort, the counts, the
// questions' words, the new provider's fields and whether details are
// wanted are the list editor's; the page carries the commands and shows
// their result.
class ProvidersPageTest : public ProgramHome {
protected:
    QJsonArray Play(const QJsonObject& scenario) {
        MasterProviderSet::Locations locations = MasterList();
        if (scenario["shippedMasterListOnly"].toBool())
            locations.ServerBase.clear();
        store = std::make_unique<SettingsStore>(folder.path());
        core = std::make_unique<ProgramCore>(*store, ProvidersFile(), locations);
        // Whether deleting one, or several, asks first.
        ProvidersPage page(*core, [&](qsizetype count) {
            return scenario["confirm"].toArray().at(count > 1 ? 1 : 0).toBool(true);
        });
        providers = std::make_unique<ProviderCollection>();
        masterListDate = Date::FromParts(1900, 1, 1);
        PageScenario play(page, scenario["watch"].toArray());
        play.Providers = providers.get();
        play.Placeholders[server.Url(QString()).toString(QUrl::RemovePath)] =
            QStringLiteral("{site}");
        play.Placeholders[folder.path()] = QStringLiteral("{home}");
        play.Signals["Modified"] = std::make_unique<QSignalSpy>(&page, &ProvidersPage::Modified);
        play.Signals["MasterListMerged"] =
            std::make_unique<QSignalSpy>(&page, &ProvidersPage::MasterListMerged);
        play.State = [&](const QString& name) {
            return State(page, name);
        };
        AddSteps(play, page);
        return play.Play(scenario["steps"].toArray());
    }

    QString State(const ProvidersPage& page, const QString& name) const {
        if (const auto* repeat = page.findChild<RepeatSchedule*>(name))
            return QStringLiteral("%1 ms%2")
                .arg(repeat->Interval().count())
                .arg(repeat->IsRunning() ? QStringLiteral(", running") : QString());
        QStringList pending;
        for (const auto& provider : *providers)
            if (provider->PendingOperations != 0)
                pending.append(provider->ProviderName);
        const QHash<QString, QString> states{
            {"copy", ProviderNames(*providers).join(u' ')},
            {"pending", pending.join(u' ')},
            {"master list",
             masterListDate == Date::FromParts(1900, 1, 1) ? "not merged" : "merged"},
            {"program's list", QString::number(core->Providers().Count())}};
        return states.value(name);
    }

    void AddSteps(PageScenario& play, ProvidersPage& page) {
        play.Add("providers", [&](auto& step) {
            page.Release();
            providers = NamedProviders(step[1].toString().split(u' '));
            play.Providers = providers.get();
        });
        play.Add("add", [&](auto&) { providers->Add(std::make_shared<Provider>()); });
        play.Add("in",
                 [&](auto& step) { page.In(*providers, step[1].toString(), masterListDate); });
        play.Add("release", [&](auto&) { page.Release(); });
        play.Add("refill", [&](auto&) { page.Refill(); });
        play.Add("show id",
                 [&](const QJsonArray& step) { page.SelectProviderByID(step[1].toInt()); });
        play.Add("tick", [&](auto& step) {
            auto* repeat = page.findChild<RepeatSchedule*>(step[1].toString());
            for (int ticks = step[2].toInt(100); ticks > 0 && repeat->IsRunning(); --ticks)
                repeat->Tick();
        });
        AddDialogSteps(play, page);
    }

    // New with an address typed into the add-feed dialog in a category, and
    // the colour and sound pickers.
    void AddDialogSteps(PageScenario& play, ProvidersPage& page) {
        const auto button = [&page](const char* name) {
            return page.findChild<QPushButton*>(QString::fromLatin1(name));
        };
        play.Add("new", [=](auto& step) {
            AnswerDialog<AddFeedDialog>(button("btnNewProvider"), [=](AddFeedDialog& dialog) {
                dialog.findChild<QLineEdit*>(QStringLiteral("txtAddress"))
                    ->setText(step[1].toString());
                dialog.findChild<CategoryPathTree*>()->SelectPath(step[2].toString());
                dialog.accept();
            });
        });
        play.Add("colour", [=](auto& step) {
            AnswerDialog<QColorDialog>(button("btnBackColor"), [=](QColorDialog& dialog) {
                dialog.setCurrentColor(QColor(step[1].toInt(), step[2].toInt(), step[3].toInt()));
                dialog.accept();
            });
        });
        play.Add("sound", [=, this](auto& step) {
            const QString sound = TestData::Write(folder.filePath(step[1].toString()), "RIFF");
            AnswerDialog<QFileDialog>(button("btnBrowseSound"), [=](QFileDialog& dialog) {
                EXPECT_EQ(dialog.nameFilters(), QStringList{"Wave Files (*.wav)"});
                dialog.selectFile(sound);
                // As the Open button does; QFileDialog keeps its own accept hidden.
                static_cast<QDialog&>(dialog).accept();
            });
        });
    }

    TestHttpServer server;
    std::unique_ptr<ProviderCollection> providers;
    Date masterListDate;
};

// data/cases/providers-page-scenarios.json
TEST_F(ProvidersPageTest, Scenarios) {
    server.Serve("/feed", DetailedFeed);
    server.Serve("/again", DetailedFeed);
    server.Serve("/slow", {.NeverAnswer = true});
    PageScenarios::Check(QStringLiteral("providers-page"),
                         [this](const QJsonObject& scenario) { return Play(scenario); });
}

} // namespace
