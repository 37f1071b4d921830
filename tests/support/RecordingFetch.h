#pragma once

#include "model/PendingFetch.h"

// What a provider told its fetch in flight.
struct FetchLog {
    int Cancels = 0;
    int CancelledOperations = -1;
    bool Destroyed = false;
};

// A fetch in flight that only records what it is told.
class RecordingFetch : public PendingFetch {
public:
    explicit RecordingFetch(FetchLog& log)
        : m_log(log) {}
    ~RecordingFetch() override { m_log.Destroyed = true; }
    void Cancel(int cancelledOperations) override {
        ++m_log.Cancels;
        m_log.CancelledOperations = cancelledOperations;
    }

private:
    FetchLog& m_log;
};
