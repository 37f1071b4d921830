#pragma once

#include "model/ProgressReporter.h"

#include <QStringList>

// The statuses a long operation shows, in order.
class StatusRecorder : public ProgressReporter {
public:
    void SetStatus(const QString& text) override { Statuses.append(text); }
    void OpenProgress(int) override {}
    void UpdateProgress(int) override {}
    void CloseProgress() override {}

    QStringList Statuses;
};
