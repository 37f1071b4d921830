#include "platform/DesktopShortcut.h"
#include "platform/KnownFolders.h"

#include "support/TestData.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using Place = DesktopShortcut::Place;

namespace {

QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// What a launcher must read back as the one argument: the value after the
// string escapes, then the quoting of Exec.
TEST(DesktopShortcutTest, ExecKeepsEveryPathOneArgument) {
    const struct {
        const char* program;
        const char* exec;
    } cases[] = {
        {"/usr/bin/varnocet", "/usr/bin/varnocet"},
        {"/opt/My Apps/varnocet", "\"/opt/My Apps/varnocet\""},
        {"/opt/50%/varnocet", "/opt/50%%/varnocet"},
        {"/opt/a$b/varnocet", "\"/opt/a\\\\$b/varnocet\""},
        {"/opt/say \"hi\"/varnocet", "\"/opt/say \\\\\"hi\\\\\"/varnocet\""},
        {"/opt/back\\slash/varnocet", "\"/opt/back\\\\\\\\slash/varnocet\""},
        {"/opt/`tick`/varnocet", "\"/opt/\\\\`tick\\\\`/varnocet\""},
        {"/opt/it's/varnocet", "\"/opt/it's/varnocet\""},
        {"/opt/line\nbreak/varnocet", "\"/opt/line\\nbreak/varnocet\""},
        {"/opt/Zeitung/größe", "/opt/Zeitung/größe"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DesktopShortcut::ExecValue(QString::fromUtf8(c.program)),
                  QString::fromUtf8(c.exec))
            << c.program;
}

TEST(DesktopShortcutTest, EntriesRunTheProgramFromItsFolder) {
    const QByteArray common = "[Desktop Entry]\n"
                              "Type=Application\n"
                              "Name=Varnocet\n"
                              "Comment=Desktop headline reader\n"
                              "Exec=\"/opt/My Apps/bin/varnocet\"\n"
                              "Path=/opt/My Apps/bin\n"
                              "Icon=varnocet\n"
                              "Terminal=false\n"
                              "Categories=Network;Feed;News;\n";
    const QString program = QStringLiteral("/opt/My Apps/bin/varnocet");
    EXPECT_EQ(DesktopShortcut::Entry(program, Place::Desktop), common);
    EXPECT_EQ(DesktopShortcut::Entry(program, Place::ApplicationsMenu), common);
    EXPECT_EQ(DesktopShortcut::Entry(program, Place::Autostart),
              common + "X-GNOME-Autostart-enabled=true\n");
}

TEST(DesktopShortcutTest, CreatesTheFolderAndReplacesAnEarlierEntry) {
    QTemporaryDir root;
    const QString folder = root.filePath(QStringLiteral("new/autostart"));
    const QString program = QStringLiteral("/usr/bin/varnocet");
    EXPECT_EQ(DesktopShortcut::CreateIn(folder, QStringLiteral("/old/varnocet"), Place::Autostart),
              QString());
    EXPECT_EQ(DesktopShortcut::CreateIn(folder, program, Place::Autostart), QString());
    const QString entry = QDir(folder).filePath(QStringLiteral("varnocet.desktop"));
    EXPECT_EQ(Read(entry), DesktopShortcut::Entry(program, Place::Autostart));
    EXPECT_TRUE(QFileInfo(entry).permissions() & QFile::ExeOwner);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral("varnocet.desktop")});
}

TEST(DesktopShortcutTest, AFolderThatCannotBeWrittenIsNamed) {
    QTemporaryDir root;
    // A file where the folder should be: no user, root included, can
    // create a folder below it.
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
