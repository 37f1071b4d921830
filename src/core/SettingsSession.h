#pragma once

#include "config/Settings.h"

#include <memory>

class ProgramCore;
class ProgressReporter;
class ProviderCollection;

// The time the settings dialog is open. The refresh and flip timers are held
// and every fetch is called off, so nothing changes the list under the
// dialog; the dialog edits a copy of the preferences and a working copy of
// the provider list. Apply puts them into effect; without it nothing the
// user changed survives.
class SettingsSession {
public:
    SettingsSession(ProgramCore& core, ProgressReporter* progress);
    ~SettingsSession();
    SettingsSession(const SettingsSession&) = delete;
    SettingsSession& operator=(const SettingsSession&) = delete;

    Settings& WorkingSettings() { return m_settings; }
    ProviderCollection& WorkingCopy() { return *m_providers; }

    // OK: the edited preferences become the program's, the working copy
    // becomes the list when the user changed it, and what changed is
    // written. The provider on show stays when the list still shows it.
    void Apply(bool providersModified, ProgressReporter* progress);

private:
    ProgramCore& m_core;
    Settings m_settings;
    std::unique_ptr<ProviderCollection> m_providers;
    bool m_wasSuspended;
};
