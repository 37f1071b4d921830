#pragma once

#include "model/ProgressReporter.h"

#include <QList>
#include <QStringList>

// The statuses a long operation shows, in order, and its progress.
class StatusRecorder : public ProgressReporter {
public:
    void SetStatus(const QString& text) override { Statuses.append(text); }
    void OpenProgress(int maximum) override { Maximum = maximum; }
    void UpdateProgress(int value) override { Values.append(value); }
    void CloseProgress() override { ++Closes; }

    QStringList Statuses;
    int Maximum = -1;
    QList<int> Values;
    int Closes = 0;
};
