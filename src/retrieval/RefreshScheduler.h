#pragma once

#include "platform/Types.h"

#include <QObject>
#include <QTimer>

class FetchControl;
class Provider;
class ProviderCollection;
struct ProgramFlags;
struct SchedulingPreferences;
class SchedulerHost;

// Decides when providers are fetched. The update timer counts each
// provider's minutes to its next refresh down once a minute, reloads the
// current provider when it is due and now and then asks for the program
// update check; the poll timer completes finished text requests and starts the
// background refresh of at most one due provider per tick, walking
// cyclically through the range the background update mode chooses.
//
// The provider collection is held by reference: a program that replaces its
// list must assign the new one into the same object.
class RefreshScheduler : public QObject {
    Q_OBJECT

public:
    static constexpr int UpdateIntervalMs = 60000;
    static constexpr int PollIntervalMs = 200;
    // Minutes between program update checks: 48 hours.
    static constexpr int UpdateCheckMinutes = 2880;

    RefreshScheduler(ProviderCollection& providers, FetchControl& fetch, SchedulerHost& host,
                     const SchedulingPreferences& preferences, const ProgramFlags& flags,
                     QObject* parent = nullptr);

    // The timers are created stopped; start-up starts them once the window
    // is built, shutdown stops them first.
    void Start();
    void Stop();
    bool Running() const { return m_pollTimer.isActive(); }

    void UpdateTick();
    void PollTick();

    // Chooses the background range for a mode; with reposition the cursor
    // moves to the provider selected in the tree.
    void SetBackgroundRange(Long mode, bool reposition);
    // The next (or previous) active provider in a visible category after
    // cursor, cyclically, within the current category's providers or over
    // all; cursor itself when there is none or no range.
    qsizetype NextBackgroundIndex(qsizetype cursor, bool currentCategoryOnly) const;
    qsizetype PreviousBackgroundIndex(qsizetype cursor, bool currentCategoryOnly) const;
    // Starts the refresh of the provider under the cursor when it is due and
    // the limits allow, and moves the cursor on.
    void BackgroundRefreshStep();
    void ReloadCurrentProvider();

    // -1 when there is no background refresh.
    qsizetype BackgroundFirst() const { return m_backgroundFirst; }
    qsizetype BackgroundLast() const { return m_backgroundLast; }
    qsizetype BackgroundCursor() const { return m_backgroundCursor; }
    int UpdateCheckCountdown() const { return m_updateCheckCountdown; }

signals:
    // The current provider's reload has begun (true) and has been handed to
    // the fetcher (false).
    void BusyChanged(bool busy);
    // The provider being reloaded: its countdown restarted and any fetch in
    // flight was called off.
    void ProviderChanged(const Provider& provider);
    // Time for the program update check (when the preferences ask for
    // it). Nothing waits for it: timer work never waits on the network or
    // the user.
    void UpdateCheckDue();

private:
    struct Range {
        qsizetype First = -1;
        qsizetype Last = -1;
        bool IsEmpty() const { return First == -1 || Last == -1; }
    };

    Range AllProviders() const;
    Range CurrentCategoryProviders() const;
    bool KeepsToCurrentCategory(Long mode) const;
    Range RangeForMode(Long mode) const;
    qsizetype StepBackgroundIndex(qsizetype cursor, bool currentCategoryOnly, int step) const;
    bool IsEligible(qsizetype index) const;
    bool IsCategoryVisible(const Provider& provider) const;
    bool IsDue(const Provider& provider) const;
    bool LimitsAllowFetch() const;
    qsizetype SelectedTreeProviderIndex() const;
    void CountDownRefreshMinutes();
    void CountDownUpdateCheck();

    ProviderCollection& m_providers;
    FetchControl& m_fetch;
    SchedulerHost& m_host;
    const SchedulingPreferences& m_preferences;
    const ProgramFlags& m_flags;
    QTimer m_updateTimer;
    QTimer m_pollTimer;
    qsizetype m_backgroundFirst = -1;
    qsizetype m_backgroundLast = -1;
    qsizetype m_backgroundCursor = 1;
    // The tree selection the poll timer saw last; -1 before the first tick.
    int m_lastTreeValue = -1;
    int m_updateCheckCountdown = UpdateCheckMinutes;
};
