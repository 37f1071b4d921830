#include "retrieval/AutoFlip.h"

#include "model/ProviderCollection.h"
#include "retrieval/FlipHost.h"
#include "retrieval/ProgramFlags.h"
#include "retrieval/RefreshScheduler.h"
#include "retrieval/SchedulingPreferences.h"

#include <algorithm>

namespace {

struct Speed {
    const char* Key;
    Integer Seconds;
};

constexpr Speed Speeds[] = {{"FAST", 15}, {"MEDIUM", 30}, {"SLOW", 60}};

} // namespace

AutoFlip::AutoFlip(const ProviderCollection& providers, RefreshScheduler& scheduler, FlipHost& host,
                   SchedulingPreferences& preferences, const ProgramFlags& flags, QObject* parent)
    : QObject(parent)
    , m_providers(providers)
    , m_scheduler(scheduler)
    , m_host(host)
    , m_preferences(preferences)
    , m_flags(flags)
    , m_flipTimer(this)
    , m_countdown(Interval()) {
    m_flipTimer.setObjectName(QStringLiteral("tmrFlip"));
    m_flipTimer.setInterval(FlipTimerIntervalMs);
    connect(&m_flipTimer, &QTimer::timeout, this, &AutoFlip::Tick);
}

void AutoFlip::Start() {
    m_flipTimer.start();
}

void AutoFlip::Stop() {
    m_flipTimer.stop();
}

// The countdown restarts at this value, so it is at least one: an interval
// of 0 would take the countdown below 0 at the next tick, where it would
// never flip again and the caption would count into negative numbers.
int AutoFlip::Interval() const {
    return std::max<int>(m_preferences.FlipInterval, 1);
}

void AutoFlip::Tick() {
    if (m_flags.Suspended || m_flags.UserBusy)
        return;
    --m_countdown;
    ShowCountdown();
    if (m_countdown > 0)
        return;
    Flip();
    m_countdown = Interval();
}

// The article step runs once the tick has returned: showing the story
// restarts the countdown, and the tick's own restart must not undo that.
void AutoFlip::Flip() {
    if (!m_preferences.AutoFlip || m_providers.Count() < 2)
        return;
    if (m_preferences.FlipProviders)
        NextProvider();
    else
        QMetaObject::invokeMethod(this, &AutoFlip::ToNextArticle, Qt::QueuedConnection);
}

void AutoFlip::ShowCountdown() {
    if (m_preferences.AutoFlip)
        emit PlayCaptionChanged(QStringLiteral("Auto&Flip (in %1)").arg(m_countdown));
}

// With a one-second interval the first flip comes after two ticks, so the
// user sees the countdown before anything moves.
void AutoFlip::ResetFlipCountdown() {
    m_countdown = Interval() == 1 ? 2 : Interval();
    ShowCountdown();
}

void AutoFlip::ToNextArticle() {
    const int row = m_host.SelectedArticleRow();
    if (row < 1 || row >= m_host.ArticleRowCount())
        NextProvider();
    else
        m_host.SelectAndShowArticle(row + 1);
}

void AutoFlip::NextProvider() {
    GoToProvider(true);
}

void AutoFlip::PreviousProvider() {
    GoToProvider(false);
}

void AutoFlip::GoToProvider(bool forward) {
    m_countdown = Interval();
    const bool restricted = m_host.ShowCategories() && !m_preferences.FlipCategories;
    const qsizetype current = m_host.CurrentProviderIndex();
    const qsizetype index = forward ? m_scheduler.NextBackgroundIndex(current, restricted)
                                    : m_scheduler.PreviousBackgroundIndex(current, restricted);
    if (index >= 1)
        m_host.ShowProvider(index);
}

bool AutoFlip::Command(const QString& key) {
    if (key == QLatin1String("PLAY")) {
        TogglePlay();
        return true;
    }
    if (key == QLatin1String("FLIPPROVIDERS") || key == QLatin1String("FLIPARTICLES")) {
        m_preferences.FlipProviders = key == QLatin1String("FLIPPROVIDERS");
        return true;
    }
    const auto* speed = std::find_if(std::begin(Speeds), std::end(Speeds),
                                     [&](const Speed& s) { return key == QLatin1String(s.Key); });
    if (speed == std::end(Speeds))
        return false;
    m_preferences.FlipInterval = speed->Seconds;
    ResetFlipCountdown();
    return true;
}

void AutoFlip::TogglePlay() {
    m_preferences.AutoFlip = !m_preferences.AutoFlip;
    ShowPlayState();
}

void AutoFlip::ShowPlayState() {
    if (m_preferences.AutoFlip) {
        ResetFlipCountdown();
        emit PlayIconChanged(PlayIconOn);
    } else {
        emit PlayCaptionChanged(QStringLiteral("Auto&Flip (off)"));
        emit PlayIconChanged(PlayIconOff);
    }
}
