#pragma once

#include "config/Settings.h"

#include <QMainWindow>

class SettingsStore;

// The main window. Load() runs the program's start-up and ends by showing
// the window; closing it runs the shutdown, which writes everything back.
class MainForm : public QMainWindow {
    Q_OBJECT

public:
    explicit MainForm(SettingsStore& store, QWidget* parent = nullptr);

    void Load();
    // Writes the preferences and/or the provider list. Each failure is
    // reported on its own, and one does not stop the other. True when all
    // that was asked for was written.
    bool WriteSettingsAndProviders(bool bWriteSettings, bool bWriteProviders);
    // Stops all activity and writes everything back; runs once.
    void ShutdownMainWindow();

    Settings& ProgramSettings() { return m_settings; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void ApplyWindowPlacement();
    void StoreWindowPlacement();

    SettingsStore& m_store;
    Settings m_settings;
    bool m_shutDown = false;
};
