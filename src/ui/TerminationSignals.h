#pragma once

#include <QObject>
#include <QSocketNotifier>

#include <memory>

// SIGTERM (logout, `kill`), SIGINT (Ctrl+C in a terminal) and SIGHUP (the
// terminal went away) turned into a signal on the user-interface thread, so
// that they close the program as Exit does instead of killing it with the
// run's changes unsaved. One instance per process.
class TerminationSignals : public QObject {
    Q_OBJECT

public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

Q_SIGNALS:
    void Received(int signalNumber);

private:
    void Drain();

    std::unique_ptr<QSocketNotifier> m_notifier;
};
