#pragma once

#include <QObject>
#include <QTimer>

#include <chrono>
#include <functional>

// Repeats a step while a button is held: every 250 ms (25 ms when a
// modifier key was held on pressing), twice as fast from the sixth step on,
// until Stop or until the step says it cannot go on. The timer only calls
// Tick, so a test drives the schedule by calling Tick itself.
class RepeatSchedule : public QObject {
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds NormalInterval{250};
    static constexpr std::chrono::milliseconds FastInterval{25};
    // The tick after which the interval is halved.
    static constexpr int HalvingTick = 6;

    // `step` does one step and answers whether another may follow.
    explicit RepeatSchedule(std::function<bool()> step, QObject* parent = nullptr);

    void Start(bool fast);
    void Stop();
    bool IsRunning() const { return m_running; }
    // Steps taken since Start.
    int Ticks() const { return m_ticks; }
    std::chrono::milliseconds Interval() const { return m_interval; }

    void Tick();

private:
    std::function<bool()> m_step;
    QTimer m_timer;
    std::chrono::milliseconds m_interval = NormalInterval;
    int m_ticks = 0;
    bool m_running = false;
};
