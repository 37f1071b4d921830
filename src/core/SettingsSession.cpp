#include "core/SettingsSession.h"

#include "core/ProgramCore.h"
#include "core/SkinSelection.h"
#include "model/ProgressReporter.h"
#include "model/ProviderCollection.h"

namespace {

const Currency EveryFetch = Currency::FromScaled(-Currency::Scale);

void Status(ProgressReporter* progress, const QString& text) {
    if (progress != nullptr)
        progress->SetStatus(text);
}

} // namespace

SettingsSession::SettingsSession(ProgramCore& core, ProgressReporter* progress)
    : m_core(core)
    , m_settings(core.ProgramSettings())
    , m_wasSuspended(core.Flags().Suspended) {
    core.Flags().Suspended = true;
    core.Providers().CancelPendingRequests(EveryFetch);
    m_providers = core.Providers().Copy(progress);
}

// Details the dialog asked for must not complete into a list that is gone.
SettingsSession::~SettingsSession() {
    if (m_providers != nullptr)
        m_providers->CancelPendingRequests(EveryFetch);
    m_core.Flags().Suspended = m_wasSuspended;
}

void SettingsSession::Apply(bool providersModified, ProgressReporter* progress) {
    m_core.ProgramSettings() = m_settings;
    if (providersModified) {
        m_providers->CancelPendingRequests(EveryFetch);
        m_core.AdoptProviderList(std::move(m_providers), progress);
        Status(progress, QStringLiteral("Writing settings and providers..."));
    } else {
        Status(progress, QStringLiteral("Writing settings..."));
    }
    m_core.WriteSettingsAndProviders(true, providersModified);
    m_core.Skins().Choose(m_settings.SkinDirectory, m_settings.CurrentSkin);
    m_core.ApplyPreferences();
}
