#include "platform/KnownFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace {

QString Writable(QStandardPaths::StandardLocation location) {
    return QStandardPaths::writableLocation(location);
}

} // namespace

namespace KnownFolders {

QString ApplicationData() {
    return Writable(QStandardPaths::AppDataLocation);
}

QString Configuration() {
    return Writable(QStandardPaths::AppConfigLocation);
}

QString Cache() {
    return Writable(QStandardPaths::CacheLocation);
}

QString Temporary() {
    return QDir::tempPath();
}

QString Desktop() {
    return Writable(QStandardPaths::DesktopLocation);
}

QString Autostart() {
    return QDir(Writable(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("autostart"));
}

QString ProgramFolder() {
    return QCoreApplication::applicationDirPath();
}

QString DataFolder() {
    const QDir program(ProgramFolder());
    const QString installed = program.absoluteFilePath(QStringLiteral("../share/varnocet"));
    if (QDir(installed).exists())
        return QDir::cleanPath(installed);
    return QDir::cleanPath(program.absoluteFilePath(QStringLiteral("../data")));
}

bool EnsureFolder(const QString& path) {
    if (QDir(path).exists())
        return true;
    if (!QDir().mkpath(path))
        return false;
    return QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

} // namespace KnownFolders
