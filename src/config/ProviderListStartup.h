#pragma once

#include "config/MasterProviderSet.h"

#include <QString>

class ProgressReporter;
class ProviderCollection;
class UpdateReport;
class Settings;

// The provider list as start-up prepares it, stage by stage: read from the
// user's file or seeded from the master list, brought up to date from older
// versions and from the master list, then sorted. Each stage tells its
// status to `progress` (the splash window); the loading stages say whether
// the list changed in a way that must be written at once.
class ProviderListStartup {
public:
    ProviderListStartup(ProviderCollection& providers, Settings& settings,
                        MasterProviderSet::Locations masterList, ProgressReporter& progress);

    // A missing or unreadable file is replaced from the master list.
    bool LoadProviderList(const QString& path);
    // The upgrade steps for the stored preferences' version, then, when the
    // user wants it and there is a master list server, the check for
    // provider updates, whose changes go to `report`; `reportChanged` says
    // whether it had any.
    bool UpdateFromMasterList(UpdateReport& report, bool& reportChanged);
    void SortProviderList();

private:
    bool MergeMasterList(bool failMessage, ProgressReporter* progress, bool doLocal,
                         UpdateReport* report);

    ProviderCollection& m_providers;
    Settings& m_settings;
    MasterProviderSet::Locations m_masterList;
    ProgressReporter& m_progress;
};
