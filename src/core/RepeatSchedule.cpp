#include "core/RepeatSchedule.h"

RepeatSchedule::RepeatSchedule(std::function<bool()> step, QObject* parent)
    : QObject(parent)
    , m_step(std::move(step)) {
    connect(&m_timer, &QTimer::timeout, this, &RepeatSchedule::Tick);
}

void RepeatSchedule::Start(bool fast) {
    m_ticks = 0;
    m_interval = fast ? FastInterval : NormalInterval;
    m_running = true;
    m_timer.start(m_interval);
}

void RepeatSchedule::Stop() {
    m_running = false;
    m_timer.stop();
}

void RepeatSchedule::Tick() {
    if (!m_running)
        return;
    ++m_ticks;
    if (m_ticks == HalvingTick) {
        m_interval /= 2;
        m_timer.setInterval(m_interval);
    }
    if (!m_step())
        Stop();
}
