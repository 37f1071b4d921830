#include "platform/DesktopShortcut.h"

#include "platform/AtomicFile.h"
#include "platform/KnownFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString FileName = QStringLiteral("varnocet.desktop");

// Characters the launcher treats as shell syntax unless the argument is
// quoted.
bool NeedsQuotes(const QString& argument) {
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    for (const QChar c : argument)
        if (reserved.contains(c))
            return true;
    return false;
}

QString Quoted(const QString& argument) {
    QString quoted = QStringLiteral("\"");
    for (const QChar c : argument) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += u'\\';
        quoted += c;
    }
    return quoted + u'"';
}

// The escapes of every string value, applied after the quoting of Exec.
QString EscapedString(const QString& value) {
    QString escaped;
    for (const QChar c : value) {
        if (c == u'\\')
            escaped += QStringLiteral("\\\\");
        else if (c == u'\n')
            escaped += QStringLiteral("\\n");
        else if (c == u'\t')
            escaped += QStringLiteral("\\t");
        else if (c == u'\r')
            escaped += QStringLiteral("\\r");
        else
            escaped += c;
    }
    return escaped;
}

QString CannotWrite(const QString& folder) {
    return QStringLiteral("Error when creating shortcut.\n\nThe folder %1 cannot be written.")
        .arg(QDir::toNativeSeparators(folder));
}

} // namespace

namespace DesktopShortcut {

QString Folder(Place place) {
    switch (place) {
    case Place::Desktop:
        return KnownFolders::Desktop();
    case Place::ApplicationsMenu:
        return KnownFolders::Applications();
    case Place::Autostart:
        return KnownFolders::Autostart();
    }
    return {};
}

QString ExecValue(const QString& program) {
    // "%" starts a field code anywhere in the line, quoted or not.
    QString argument = program;
    argument.replace(u'%', QStringLiteral("%%"));
    return EscapedString(NeedsQuotes(argument) ? Quoted(argument) : argument);
}

QByteArray Entry(const QString& program, Place place) {
    QString entry = QStringLiteral("[Desktop Entry]\n"
                                   "Type=Application\n"
                                   "Name=Varnocet\n"
                                   "Comment=Desktop headline reader\n"
                                   "Exec=%1\n"
                                   "Path=%2\n"
                                   "Icon=varnocet\n"
                                   "Terminal=false\n"
                                   "Categories=Network;Feed;News;\n")
                        .arg(ExecValue(program), EscapedString(QFileInfo(program).absolutePath()));
    if (place == Place::Autostart)
        entry += QStringLiteral("X-GNOME-Autostart-enabled=true\n");
    return entry.toUtf8();
}

QString CreateIn(const QString& folder, const QString& program, Place place) {
    if (!KnownFolders::EnsureFolder(folder))
        return CannotWrite(folder);
    const QString path = QDir(folder).filePath(FileName);
    if (!AtomicFile::Write(path, Entry(program, place)))
        return CannotWrite(folder);
    // Desktops launch an entry from the desktop folder only when it is
    // executable, as they do for any program file.
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                    QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther |
                                    QFile::ExeOther);
    return {};
}

QString Create(Place place) {
    return CreateIn(Folder(place), QCoreApplication::applicationFilePath(), place);
}

} // namespace DesktopShortcut
