#include "ui/SettingsForm.h"

#include "config/SettingsIO.h"
#include "support/EnvironmentVariable.h"
#include "support/OpenedPages.h"
#include "support/PageScenario.h"
#include "support/ProgramHome.h"
#include "support/SilentReport.h"
#include "support/StatusRecorder.h"
#include "ui/SettingsDialog.h"

#include <QDialogButtonBox>
#include <QMainWindow>
#include <QMetaEnum>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>

#include <list>

namespace {

// The dialog over a loaded program in a temporary home.
class SettingsFormTest : public ProgramHome {
protected:
    void SetUp() override {
        WriteStore("[Preferences]\nInvocations=3\n");
        WriteProviders("<providers>" + ProviderElement(1, "A", QUrl("http://127.0.0.1:9/a")) +
                       "</providers>");
    }

    // The preferences as the store writes them, one "key=value" per line.
    QStringList Stored(const Settings& settings) {
        SettingsIO::WriteSettings(*store, QStringLiteral("Stored"), settings);
        store->Sync();
        return QString::fromUtf8(Read(store->FilePath(QStringLiteral("Stored"))))
            .split(u'\n', Qt::SkipEmptyParts);
    }

    QJsonArray Play(const QJsonObject& scenario);

    StatusRecorder progress;
    SilentReport report;
};

// The dialog over the window, step by step ("show" it, a "tab", a "button"
// of the row under it, "refill" the form from what it holds), with the
// scenario's "environment" set. What the update check answers and what
// Cancel and OK do to the session are the core's; the dialog carries them.
// Besides its widgets a scenario watches the preferences the form has
// "edited" (as stored, those that differ from the program's at the start),
// the help "topics", "suspended", the program's "flip" preferences, the
// "stored" flip interval, the update check's "notice" and the web pages
// "opened".
QJsonArray SettingsFormTest::Play(const QJsonObject& scenario) {
    std::list<EnvironmentVariable> environment;
    const QJsonObject variables = scenario["environment"].toObject();
    for (const char* name :
         {"VARNOCET_DOWNLOAD_PAGE", "VARNOCET_HOME_PAGE", "VARNOCET_PRODUCTS_URL"})
        if (variables.contains(name))
            environment.emplace_back(name, variables[name].toString().toUtf8());
    NewProgram();
    core->Load(QSize(15360, 11520), progress, report);
    QMainWindow window;
    QStringList topics;
    SettingsDialog dialog(*core, window, [&](const QString& topic) { topics.append(topic); });
    OpenedPages browser;
    const QStringList stored = Stored(core->ProgramSettings());
    PageScenario play(window, scenario["watch"].toArray());
    play.Add("show", [&](auto&) { dialog.Show(false); });
    play.Add("tab", [&](auto& step) {
        window.findChild<QTabWidget*>()->setCurrentIndex(step[1].toInt());
    });
    play.Add("button", [&](auto& step) {
        const QByteArray which = step[1].toString().toLatin1();
        window.findChild<QDialogButtonBox*>()
            ->button(QDialogButtonBox::StandardButton(
                QMetaEnum::fromType<QDialogButtonBox::StandardButtons>().keyToValue(which)))
            ->click();
        // A closed dialog's form goes at once, so that the next one is found.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    });
    // The form filled again from what it holds.
    play.Add("refill", [&](auto&) {
        Settings held = core->ProgramSettings();
        dialog.Form()->SettingsOut(held);
        dialog.Form()->SettingsIn(held, core->Providers(), "/::/", false);
    });
    play.State = [&](const QString& name) {
        const Settings& settings = core->ProgramSettings();
        // What the form holds, as stored, that differs from what was stored.
        QStringList edited;
        if (Settings held = settings; name == u"edited" && dialog.Form() != nullptr) {
            dialog.Form()->SettingsOut(held);
            edited = Stored(held);
            edited.removeIf([&](const QString& line) { return stored.contains(line); });
        }
        const QHash<QString, QString> states{
            {"edited", edited.join(u' ')},
            {"topics", topics.join(u' ')},
            {"suspended", core->Flags().Suspended ? "yes" : "no"},
            {"flip",
             QStringLiteral("%1, every %2 s").arg(settings.AutoFlip).arg(settings.FlipInterval)},
            {"stored", QRegularExpression("FlipInterval=\\d+").match(StoreContents()).captured()},
            {"opened", QUrl::toStringList(browser.Pages).join(u' ')}};
        return states.value(name);
    };
    return play.Play(scenario["steps"].toArray());
}

// data/cases/settings-form-scenarios.json
TEST_F(SettingsFormTest, Scenarios) {
    PageScenarios::Check(QStringLiteral("settings-form"),
                         [this](const QJsonObject& scenario) { return Play(scenario); });
}

} // namespace
