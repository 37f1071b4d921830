#pragma once

#include <QByteArray>
#include <QString>

// A freedesktop launcher ("varnocet.desktop") that starts the installed
// program, put where a desktop session looks for one: on the desktop, in the
// applications menu, or among the programs started with the session.
namespace DesktopShortcut {

enum class Place { Desktop, ApplicationsMenu, Autostart };

// The folder of `place` (KnownFolders, so a chosen home holds it too).
QString Folder(Place place);

// The Exec value that runs `program` without arguments: quoted where the
// path holds a character the launcher would otherwise split or expand, and
// escaped as desktop entry strings are.
QString ExecValue(const QString& program);

// The entry that runs `program` from its own folder; an autostart entry also
// says that it is enabled.
QByteArray Entry(const QString& program, Place place);

// Writes the entry for `program` into `folder`, creating the folder when
// missing and replacing an earlier entry whole. Empty on success, else the
// text to show the user, naming the folder.
QString CreateIn(const QString& folder, const QString& program, Place place);

// CreateIn for the running program and the folder of `place`.
QString Create(Place place);

} // namespace DesktopShortcut
