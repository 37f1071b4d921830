#include "platform/KnownFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace {

QString& HomeOverride() {
    static QString home;
    return home;
}

// Under a chosen home, each kind of folder has a fixed name below it.
QString Writable(QStandardPaths::StandardLocation location, const QString& underHome) {
    if (!HomeOverride().isEmpty())
        return QDir(HomeOverride()).filePath(underHome);
    return QStandardPaths::writableLocation(location);
}

} // namespace

namespace KnownFolders {

void SetHome(const QString& home) {
    HomeOverride() = home.isEmpty() ? QString() : QDir(home).absolutePath();
}

QString Home() {
    return HomeOverride();
}

QString ApplicationData() {
    return Writable(QStandardPaths::AppDataLocation, QStringLiteral("data"));
}

QString Configuration() {
    return Writable(QStandardPaths::AppConfigLocation, QStringLiteral("config"));
}

QString Cache() {
    return Writable(QStandardPaths::CacheLocation, QStringLiteral("cache"));
}

QString Temporary() {
    return QDir::tempPath();
}

QString Desktop() {
    return Writable(QStandardPaths::DesktopLocation, QStringLiteral("Desktop"));
}

QString Applications() {
    return Writable(QStandardPaths::ApplicationsLocation, QStringLiteral("applications"));
}

QString Autostart() {
    return QDir(Writable(QStandardPaths::GenericConfigLocation, QStringLiteral("config")))
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
