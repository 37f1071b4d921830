#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <functional>

// Runs the event loop until `done` holds, for at most `limitMs` (a guard
// against a test hanging, not a timing). True when it held.
inline bool WaitUntil(const std::function<bool()>& done, int limitMs = 10000) {
    const QDeadlineTimer deadline(limitMs);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    return true;
}
