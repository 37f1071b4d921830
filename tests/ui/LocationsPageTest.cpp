#include "ui/LocationsPage.h"
#include "config/Settings.h"
#include "platform/KnownFolders.h"
#include "support/RecordingMessageBox.h"

#include "support/TestData.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

void Click(const LocationsPage& page, const char* button) {
    QTest::mouseClick(page.findChild<QPushButton*>(QString::fromLatin1(button)), Qt::LeftButton);
}

QString Box(const LocationsPage& page, const char* name) {
    return page.findChild<QLineEdit*>(QString::fromLatin1(name))->text();
}

// Every folder the program writes to under a temporary home, for one test.
class ChosenHome {
public:
    explicit ChosenHome(const QString& home) { KnownFolders::SetHome(home); }
    ~ChosenHome() { KnownFolders::SetHome(QString()); }
    ChosenHome(const ChosenHome&) = delete;
    ChosenHome& operator=(const ChosenHome&) = delete;
};

} // namespace

TEST(LocationsPageTest, FoldersComeFromTheSettingsAndThePickers) {
    Settings settings;
    settings.TempDirectory = "/tmp/varnocet";
    settings.SkinDirectory = "/usr/share/varnocet/skins";
    LocationsPage page;
    page.In(settings);
    QStringList asked;
    QString answer = "/home/u/skins";
    page.SetFolderPicker([&](QWidget*, const QString& caption, const QString& start) {
        asked.append(caption + ": " + start);
        return answer;
    });
    Click(page, "btnBrowseSkinDir");
    answer.clear(); // cancelled
    Click(page, "btnBrowseTempDir");
    EXPECT_EQ(asked, QStringList({"Select skin directory: /usr/share/varnocet/skins",
                                  "Select temporary directory: /tmp/varnocet"}));
    EXPECT_EQ(Box(page, "txtSkinDirectory"), "/home/u/skins");
    EXPECT_EQ(page.SkinDirectory(), "/home/u/skins");

    Settings out;
    page.Out(out);
    EXPECT_EQ(out.TempDirectory, "/tmp/varnocet");
    EXPECT_EQ(out.SkinDirectory, "/home/u/skins");
}

TEST(LocationsPageTest, ShortcutButtonsWriteLaunchersOfTheProgramOrSayWhyNot) {
    QTemporaryDir home;
    {
        const ChosenHome chosen(home.path());
        LocationsPage page;
        for (const char* button : {"btnAddDesktop", "btnAddQuickLaunch", "btnAddStartup"})
            Click(page, button);
        EXPECT_TRUE(RecordingMessageBox::Instance().Texts.isEmpty());
        const QByteArray exec =
            "\nExec=" +
            DesktopShortcut::ExecValue(QCoreApplication::applicationFilePath()).toUtf8() + "\n";
        for (const char* entry : {"Desktop/varnocet.desktop", "applications/varnocet.desktop",
                                  "config/autostart/varnocet.desktop"})
            EXPECT_TRUE(
                TestData::ReadFile(home.filePath(QString::fromLatin1(entry))).contains(exec))
                << entry;
    }
    // A regular file as the home: no folder can be made below it, not even
    // by root.
    const QString file = TestData::Write(home.filePath(QStringLiteral("file")), {});
    const ChosenHome chosen(file);
    LocationsPage page;
    Click(page, "btnAddStartup");
    const QStringList& texts = RecordingMessageBox::Instance().Texts;
    ASSERT_EQ(texts.size(), 1);
    EXPECT_TRUE(texts[0].startsWith("Error when creating shortcut."));
    EXPECT_TRUE(texts[0].contains(file + "/config/autostart")) << texts[0].toStdString();
}
