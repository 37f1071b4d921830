#pragma once

#include "platform/Types.h"

#include <QObject>
#include <QString>
#include <QTimer>

class FlipHost;
class ProviderCollection;
struct ProgramFlags;
class RefreshScheduler;
struct SchedulingPreferences;

// Turns the program into an unattended ticker: every FlipInterval seconds
// it moves on to the next article of the current provider (past the last
// one to the next provider) or straight to the next provider. The play
// button's caption and icon follow its signals, the caption with the
// seconds left.
class AutoFlip : public QObject {
    Q_OBJECT

public:
    static constexpr int FlipTimerIntervalMs = 1000;
    // Command-bar image list entries of the play button.
    static constexpr int PlayIconOff = 6;
    static constexpr int PlayIconOn = 8;

    AutoFlip(const ProviderCollection& providers, RefreshScheduler& scheduler, FlipHost& host,
             SchedulingPreferences& preferences, const ProgramFlags& flags,
             QObject* parent = nullptr);

    // The timer is created stopped.
    void Start();
    void Stop();

    void Tick();
    void ResetFlipCountdown();
    // The play button as the preferences stand: on with the countdown, or
    // off.
    void ShowPlayState();
    // Seconds to the next flip; never negative.
    int FlipCountdown() const { return m_countdown; }

    // The next article, or the next provider after the last article.
    void ToNextArticle();
    void NextProvider();
    void PreviousProvider();

    // Runs a command-bar command ("PLAY", "FAST", "MEDIUM", "SLOW",
    // "FLIPPROVIDERS", "FLIPARTICLES"); false when the key is not one of
    // these.
    bool Command(const QString& key);

signals:
    void PlayCaptionChanged(const QString& caption);
    // One of PlayIconOff and PlayIconOn.
    void PlayIconChanged(int imageIndex);

private:
    int Interval() const;
    void Flip();
    void GoToProvider(bool forward);
    void TogglePlay();
    void ShowCountdown();

    const ProviderCollection& m_providers;
    RefreshScheduler& m_scheduler;
    FlipHost& m_host;
    SchedulingPreferences& m_preferences;
    const ProgramFlags& m_flags;
    QTimer m_flipTimer;
    int m_countdown = 0;
};
