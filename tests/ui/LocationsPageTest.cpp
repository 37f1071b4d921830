#include "ui/LocationsPage.h"
#include "config/Settings.h"
#include "platform/DesktopShortcut.h"
#include "platform/KnownFolders.h"
#include "support/PageScenario.h"
#include "support/TestData.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Every folder the program writes to under a temporary home, for one test.
class LocationsPageTest : public ::testing::Test {
protected:
    ~LocationsPageTest() override { KnownFolders::SetHome(QString()); }

    QTemporaryDir home;
};

} // namespace

// The Locations tab: the folders come from the settings and the pickers
// ("pick": the picker's next answer, "" cancels), and the shortcut buttons
// write launchers of the program ("launchers": those whose command runs
// it) or say why not (the home a regular file, below which no folder can be
// made, not even by root). data/cases/locations-page-scenarios.json
TEST_F(LocationsPageTest, Scenarios) {
    PageScenarios::Check(QStringLiteral("locations-page"), [this](const QJsonObject& scenario) {
        const QString chosen = home.filePath(scenario["home"].toString());
        if (scenario["homeIsAFile"].toBool())
            TestData::Write(chosen, {});
        KnownFolders::SetHome(chosen);
        Settings settings;
        settings.TempDirectory = "/tmp/varnocet";
        settings.SkinDirectory = "/usr/share/varnocet/skins";
        LocationsPage page;
        page.In(settings);
        QStringList asked;
        QString answer;
        page.SetFolderPicker([&](QWidget*, const QString& caption, const QString& start) {
            asked.append(caption + ": " + start);
            return answer;
        });
        PageScenario play(page, scenario["watch"].toArray());
        play.Placeholders[home.path()] = QStringLiteral("{home}");
        play.Add("pick", [&](auto& step) { answer = step[1].toString(); });
        play.State = [&](const QString& name) {
            const QByteArray exec =
                DesktopShortcut::ExecValue(QCoreApplication::applicationFilePath()).toUtf8();
            QStringList launchers;
            for (const char* entry : {"Desktop/varnocet.desktop", "applications/varnocet.desktop",
                                      "config/autostart/varnocet.desktop"})
                if (TestData::ReadFile(KnownFolders::Home() + u'/' + entry).contains(exec))
                    launchers.append(QString::fromLatin1(entry));
            Settings stored;
            page.Out(stored);
            const QHash<QString, QString> states{
                {"asked", asked.join(u'\n')},
                {"skin directory", page.SkinDirectory()},
                {"stored", stored.TempDirectory + u' ' + stored.SkinDirectory},
                {"launchers", launchers.join(u' ')}};
            return states.value(name);
        };
        return play.Play(scenario["steps"].toArray());
    });
}
