#pragma once

#include <QString>

// Where the program's files live on a Linux desktop. Folders for the user's
// own files may not exist yet on a new account: callers that write create
// them with EnsureFolder first.
namespace KnownFolders {

// Puts every folder the program writes to under `home` (data, config,
// cache, the desktop and autostart folders), for a second profile or a
// test that must not touch the real home folder. Empty: the usual places.
void SetHome(const QString& home);
QString Home();

// ~/.local/share/Varnocet: the providers file and other per-user data.
QString ApplicationData();
// ~/.config/Varnocet: the settings store.
QString Configuration();
// ~/.cache/Varnocet: files that can be fetched again (images, the cached
// master list).
QString Cache();
// The system's temporary folder.
QString Temporary();
QString Desktop();
// ~/.local/share/applications: the launchers of the applications menu.
QString Applications();
// ~/.config/autostart: programs started with the desktop session.
QString Autostart();
// The folder of the running executable.
QString ProgramFolder();
// The files installed beside the program (skins, sounds, the bundled
// provider list): share/varnocet when installed, data/ of the build tree
// when run from there.
QString DataFolder();

// Creates `path` and its parents when missing. Only the user may enter a
// folder created here, since it holds the user's private files.
bool EnsureFolder(const QString& path);

} // namespace KnownFolders
