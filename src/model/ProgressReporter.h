#pragma once

#include <QString>

// Shows the progress of a long operation (the splash window does at
// start-up). Operations take it as an optional pointer: none, no progress.
class ProgressReporter {
public:
    virtual ~ProgressReporter() = default;
    virtual void SetStatus(const QString& text) = 0;
    virtual void OpenProgress(int maximum) = 0;
    virtual void UpdateProgress(int value) = 0;
    virtual void CloseProgress() = 0;
};
