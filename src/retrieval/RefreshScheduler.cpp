#include "retrieval/RefreshScheduler.h"

#include "model/PendingOperation.h"
#include "model/ProviderCollection.h"
#include "retrieval/FetchControl.h"
#include "retrieval/ProgramFlags.h"
#include "retrieval/SchedulerHost.h"
#include "retrieval/SchedulingPreferences.h"

#include <algorithm>

RefreshScheduler::RefreshScheduler(ProviderCollection& providers, FetchControl& fetch,
                                   SchedulerHost& host, const SchedulingPreferences& preferences,
                                   const ProgramFlags& flags, QObject* parent)
    : QObject(parent)
    , m_providers(providers)
    , m_fetch(fetch)
    , m_host(host)
    , m_preferences(preferences)
    , m_flags(flags)
    , m_updateTimer(this)
    , m_pollTimer(this) {
    m_updateTimer.setObjectName(QStringLiteral("tmrUpdate"));
    m_updateTimer.setInterval(UpdateIntervalMs);
    connect(&m_updateTimer, &QTimer::timeout, this, &RefreshScheduler::UpdateTick);
    m_pollTimer.setObjectName(QStringLiteral("tmrPoll"));
    m_pollTimer.setInterval(PollIntervalMs);
    connect(&m_pollTimer, &QTimer::timeout, this, &RefreshScheduler::PollTick);
}

void RefreshScheduler::Start() {
    m_updateTimer.start();
    m_pollTimer.start();
}

void RefreshScheduler::Stop() {
    m_updateTimer.stop();
    m_pollTimer.stop();
}

void RefreshScheduler::UpdateTick() {
    if (m_flags.Suspended || m_flags.UserBusy)
        return;
    CountDownRefreshMinutes();
    const qsizetype current = m_host.CurrentProviderIndex();
    if (current >= 1 && current <= m_providers.Count() &&
        m_providers.Item(current)->MinutesToNextRefresh == 0)
        ReloadCurrentProvider();
    CountDownUpdateCheck();
}

// Every provider counts down, whatever its last fetch found: a provider whose
// last fetch brought nothing new, or failed, must still come round again.
// Only a stories fetch in flight holds the count, since its completion
// restarts it.
void RefreshScheduler::CountDownRefreshMinutes() {
    for (const auto& provider : m_providers) {
        if ((provider->PendingOperations & PendingOperation::Stories) == 0 &&
            provider->MinutesToNextRefresh > 0)
            --provider->MinutesToNextRefresh;
    }
}

// The countdown restarts before the check is asked for; the check runs on
// its own, so neither the server nor a user away from the machine ever
// holds the timers up.
void RefreshScheduler::CountDownUpdateCheck() {
    if (--m_updateCheckCountdown > 0)
        return;
    m_updateCheckCountdown = UpdateCheckMinutes;
    if (m_preferences.CheckForUpdates)
        emit UpdateCheckDue();
}

void RefreshScheduler::ReloadCurrentProvider() {
    const qsizetype current = m_host.CurrentProviderIndex();
    if (current < 1 || current > m_providers.Count())
        return;
    Provider& provider = *m_providers.Item(current);
    emit BusyChanged(true);
    provider.MinutesToNextRefresh = provider.RefreshMinutes;
    provider.CancelPendingRequest();
    emit ProviderChanged(provider);
    m_fetch.GrabStories(provider);
    emit BusyChanged(false);
}

void RefreshScheduler::PollTick() {
    const int treeValue = std::max(m_host.TreeSelectionValue(), 1);
    if (!m_flags.Suspended)
        m_fetch.PollPendingRequests();
    if (treeValue != m_lastTreeValue) {
        SetBackgroundRange(m_preferences.backgroundUpdateMode, true);
        m_lastTreeValue = treeValue;
    }
    BackgroundRefreshStep();
}

RefreshScheduler::Range RefreshScheduler::AllProviders() const {
    if (m_providers.Count() == 0)
        return {};
    return {1, m_providers.Count()};
}

RefreshScheduler::Range RefreshScheduler::CurrentCategoryProviders() const {
    const QString category = m_host.CurrentCategory();
    return {m_providers.LocateFirstProviderInCategory(category),
            m_providers.LocateLastProviderInCategory(category)};
}

// Mode 1 follows the category the user is in only while the tree shows
// it; with the tree hidden there is no such place, and every provider is
// refreshed as in mode 2.
bool RefreshScheduler::KeepsToCurrentCategory(Long mode) const {
    return mode == 1 && m_host.ShowCategories();
}

// Modes other than 1 and 2 mean no background refresh.
RefreshScheduler::Range RefreshScheduler::RangeForMode(Long mode) const {
    if (KeepsToCurrentCategory(mode))
        return CurrentCategoryProviders();
    if (mode == 1 || mode == 2)
        return AllProviders();
    return {};
}

// The cursor always ends inside the range, so the step never fetches a
// provider the mode leaves out.
void RefreshScheduler::SetBackgroundRange(Long mode, bool reposition) {
    const Range range = RangeForMode(mode);
    m_backgroundFirst = range.First;
    m_backgroundLast = range.Last;
    if (range.IsEmpty())
        return;
    if (reposition) {
        const qsizetype selected = SelectedTreeProviderIndex();
        if (selected != -1)
            m_backgroundCursor = selected;
    }
    if (m_backgroundCursor < range.First || m_backgroundCursor > range.Last)
        m_backgroundCursor = range.First;
}

qsizetype RefreshScheduler::SelectedTreeProviderIndex() const {
    const Long uniqueID = m_host.SelectedTreeProviderID();
    return uniqueID == 0 ? qsizetype(-1) : m_providers.LocateProviderByUniqueID(uniqueID);
}

qsizetype RefreshScheduler::NextBackgroundIndex(qsizetype cursor, bool currentCategoryOnly) const {
    return StepBackgroundIndex(cursor, currentCategoryOnly, 1);
}

qsizetype RefreshScheduler::PreviousBackgroundIndex(qsizetype cursor,
                                                    bool currentCategoryOnly) const {
    return StepBackgroundIndex(cursor, currentCategoryOnly, -1);
}

qsizetype RefreshScheduler::StepBackgroundIndex(qsizetype cursor, bool currentCategoryOnly,
                                                int step) const {
    const Range range = currentCategoryOnly ? CurrentCategoryProviders() : AllProviders();
    if (range.IsEmpty())
        return cursor;
    qsizetype start = std::max<qsizetype>(cursor, 1);
    if (start < range.First || start > range.Last)
        start = range.First;
    qsizetype index = start;
    do {
        if (step > 0)
            index = index == range.Last ? range.First : index + 1;
        else
            index = index == range.First ? range.Last : index - 1;
    } while (index != start && !IsEligible(index));
    return index;
}

bool RefreshScheduler::IsEligible(qsizetype index) const {
    const Provider& provider = *m_providers.Item(index);
    return provider.Active && IsCategoryVisible(provider);
}

// A provider filed under no known category is hidden by none.
bool RefreshScheduler::IsCategoryVisible(const Provider& provider) const {
    const CategoryCollection& categories = m_providers.Categories();
    const qsizetype position = categories.LocateCategory(provider.Category);
    return position == -1 || categories.Item(position)->Visible;
}

bool RefreshScheduler::IsDue(const Provider& provider) const {
    return provider.Active && provider.PendingOperations == 0 && provider.MinutesToNextRefresh == 0;
}

bool RefreshScheduler::LimitsAllowFetch() const {
    return m_fetch.PendingRequestCount() < m_fetch.MaxPendingRequests() &&
           m_fetch.OutstandingRequestCount() < m_fetch.MaxOutstandingRequests();
}

// At most one fetch per tick; when the limits are reached the cursor stays,
// so the same provider is looked at again next time.
void RefreshScheduler::BackgroundRefreshStep() {
    if (m_backgroundFirst == -1 || m_flags.Suspended || !LimitsAllowFetch())
        return;
    if (m_backgroundCursor >= 1 && m_backgroundCursor <= m_providers.Count()) {
        Provider& provider = *m_providers.Item(m_backgroundCursor);
        if (IsDue(provider))
            m_fetch.GrabStories(provider);
    }
    m_backgroundCursor = NextBackgroundIndex(
        m_backgroundCursor, KeepsToCurrentCategory(m_preferences.backgroundUpdateMode));
}
