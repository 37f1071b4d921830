#pragma once

#include "model/ProgressReporter.h"

#include <QElapsedTimer>
#include <QWidget>

class QLabel;
class QProgressBar;

// The window that names each stage of start-up and shutdown, with a
// progress bar for the long ones. Showing a status lets the window paint and
// fetches already started complete, but leaves user input queued: nothing
// the user does may run halfway through start-up.
class SplashForm : public QWidget, public ProgressReporter {
    Q_OBJECT

public:
    explicit SplashForm(QWidget* parent = nullptr);

    void SetStatus(const QString& text) override;
    void OpenProgress(int maximum) override;
    void UpdateProgress(int value) override;
    void CloseProgress() override;

    QString Status() const;
    // Centres the splash over `window` (the screen's centre when null).
    void SetPosition(const QWidget* window);

private:
    void LetEventsRun();

    QLabel* m_status;
    static constexpr qint64 RepaintIntervalMs = 100;

    QProgressBar* m_progress;
    int m_maximum = 0;
    QElapsedTimer m_sinceEvents;
};
