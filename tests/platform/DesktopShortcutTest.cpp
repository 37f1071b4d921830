#include "platform/DesktopShortcut.h"
#include "platform/KnownFolders.h"

#include "support/TestData.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <utility>

using Place = DesktopShortcut::Place;

// What a launcher must read back as the one argument: the value after the
// string escapes, then the quoting of Exec.
TEST(DesktopShortcutTest, ExecKeepsEveryPathOneArgument) {
    const QJsonObject cases = QJsonDocument::fromJson(TestData::Read("desktop-shortcut/exec.json"))
                                  .object()
                                  .value("program -> Exec value")
                                  .toObject();
    ASSERT_FALSE(cases.isEmpty());
    for (auto c = cases.begin(); c != cases.end(); ++c)
        EXPECT_EQ(DesktopShortcut::ExecValue(c.key()), c.value().toString())
            << c.key().toStdString();
}

TEST(DesktopShortcutTest, EntriesRunTheProgramFromItsFolder) {
    const QString program = QStringLiteral("/opt/My Apps/bin/varnocet");
    for (const auto& [place, file] : {std::pair{Place::Desktop, "desktop"},
                                      std::pair{Place::ApplicationsMenu, "applications-menu"},
                                      std::pair{Place::Autostart, "autostart"}})
        EXPECT_EQ(DesktopShortcut::Entry(program, place),
                  TestData::Read(QStringLiteral("desktop-shortcut/%1.desktop").arg(file)))
            << file;
}

TEST(DesktopShortcutTest, CreatesTheFolderAndReplacesAnEarlierEntryOrNamesTheFolderItCannot) {
    QTemporaryDir root;
    const QString folder = root.filePath(QStringLiteral("new/autostart"));
    const QString program = QStringLiteral("/usr/bin/varnocet");
    EXPECT_EQ(DesktopShortcut::CreateIn(folder, QStringLiteral("/old/varnocet"), Place::Autostart),
              QString());
    EXPECT_EQ(DesktopShortcut::CreateIn(folder, program, Place::Autostart), QString());
    const QString entry = QDir(folder).filePath(QStringLiteral("varnocet.desktop"));
    EXPECT_EQ(TestData::ReadFile(entry), DesktopShortcut::Entry(program, Place::Autostart));
    EXPECT_TRUE(QFileInfo(entry).permissions() & QFile::ExeOwner);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral("varnocet.desktop")});

    // A folder that cannot be written is named. A file where the folder
    // should be: no user, root included, can create a folder below it.
    const QString file = root.filePath(QStringLiteral("file"));
    TestData::Write(file, {});
    for (const QString& folder : {file + QStringLiteral("/Desktop"), file}) {
        const QString error =
            DesktopShortcut::CreateIn(folder, QStringLiteral("/usr/bin/varnocet"), Place::Desktop);
        EXPECT_TRUE(error.startsWith(QStringLiteral("Error when creating shortcut.")));
        EXPECT_TRUE(error.contains(folder)) << error.toStdString();
    }
}

TEST(DesktopShortcutTest, EachPlaceHasItsOwnFolderUnderTheHome) {
    QTemporaryDir home;
    KnownFolders::SetHome(home.path());
    const QString desktop = DesktopShortcut::Folder(Place::Desktop);
    const QString menu = DesktopShortcut::Folder(Place::ApplicationsMenu);
    const QString autostart = DesktopShortcut::Folder(Place::Autostart);
    KnownFolders::SetHome(QString());
    EXPECT_EQ(desktop, home.filePath(QStringLiteral("Desktop")));
    EXPECT_EQ(menu, home.filePath(QStringLiteral("applications")));
    EXPECT_EQ(autostart, home.filePath(QStringLiteral("config/autostart")));
}
