#pragma once

#include "config/Settings.h"

#include <QSize>
#include <QString>

class SettingsStore;

// Moving Settings to and from the settings store: sections "Preferences"
// and "Settings" of the application's store.
namespace SettingsIO {

// The defaults of an empty store. The window is centred on a screen of
// `screenSizeTwips`; the translation service is the one the build or the
// environment names (OutsideAddresses), usually none.
void SetDefaultSettings(Settings& settings, const QSize& screenSizeTwips);

// Reads every key over the current values. Each key is read on its own: a
// text that cannot be converted leaves that value as it was, and one
// "Error in ReadSettings!" box reports all such keys. Returns whether every
// key was read.
bool ReadSettings(SettingsStore& store, const QString& strApplication, Settings& settings);

// Rewrites both sections from scratch, so keys no longer written disappear,
// and writes the store to disk. "PrefsVersion" always receives the running
// program's version. Throws ProgramError when the store cannot be written.
void WriteSettings(SettingsStore& store, const QString& strApplication, const Settings& settings);

} // namespace SettingsIO
