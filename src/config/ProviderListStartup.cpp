#include "config/ProviderListStartup.h"

#include "config/DefaultProviders.h"
#include "config/ProgramVersion.h"
#include "config/ProviderListFile.h"
#include "config/Settings.h"
#include "model/CategoryCollection.h"
#include "model/ProgressReporter.h"
#include "model/Provider.h"
#include "model/ProviderCollection.h"

#include <QDateTime>

#include <utility>

ProviderListStartup::ProviderListStartup(ProviderCollection& providers, Settings& settings,
                                         MasterProviderSet::Locations masterList,
                                         ProgressReporter& progress)
    : m_providers(providers)
    , m_settings(settings)
    , m_masterList(std::move(masterList))
    , m_progress(progress) {}

bool ProviderListStartup::LoadProviderList(const QString& path) {
    m_progress.SetStatus(QStringLiteral("Loading provider list..."));
    const auto result =
        ProviderListFile::Load(m_providers, path, &m_progress, QDateTime::currentDateTime());
    if (result == ProviderListFile::LoadResult::Loaded)
        return false;
    MergeMasterList(true, &m_progress, true, nullptr);
    m_providers.SortByName(1, m_providers.Count());
    return true;
}

bool ProviderListStartup::UpdateFromMasterList(UpdateReport& report, bool& reportChanged) {
    bool changed = false;
    if (m_settings.PrefsVersion == u"0.9.4") {
        // That version filed the built-in providers under the wrong origins;
        // the master list brings them back right.
        for (qsizetype i = m_providers.Count(); i >= 1; --i) {
            const Long origin = m_providers.Item(i)->Origin;
            if (origin == 0 || origin == 5)
                m_providers.Remove(i);
        }
    }
    if (IsNewerVersion(m_settings.PrefsVersion, ProgramVersionString())) {
        m_progress.SetStatus(QStringLiteral("Loading and sorting default providers..."));
        changed = MergeMasterList(false, nullptr, false, nullptr);
    }
    reportChanged = false;
    // Without a server the list is the shipped copy, which changes only
    // with the program, and a new program merges it above.
    if (m_settings.CheckForProviderUpdates && m_masterList.HasServer()) {
        m_progress.SetStatus(QStringLiteral("Checking for provider updates..."));
        reportChanged = MergeMasterList(false, nullptr, false, &report);
    }
    return reportChanged || changed;
}

void ProviderListStartup::SortProviderList() {
    m_providers.SortForTree(&m_progress,
                            QStringLiteral("Sorting %1...").arg(m_providers.Categories().Count()));
}

bool ProviderListStartup::MergeMasterList(bool failMessage, ProgressReporter* progress,
                                          bool doLocal, UpdateReport* report) {
    return DefaultProviders::AddDefaultProviders(m_providers, report, failMessage,
                                                 m_settings.LastLoadMasterProviderList, progress,
                                                 doLocal, m_masterList);
}
