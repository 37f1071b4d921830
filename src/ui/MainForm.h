#pragma once

#include "config/Settings.h"

#include <QMainWindow>

#include <memory>

class ProviderCollection;
class SettingsStore;

// The main window. Load() runs the program's start-up and ends by showing
// the window; closing it runs the shutdown, which writes everything back.
class MainForm : public QMainWindow {
    Q_OBJECT

public:
    MainForm(SettingsStore& store, const QString& providersFilePath, QWidget* parent = nullptr);
    ~MainForm() override;

    void Load();
    // Writes the preferences and/or the provider list. Each failure is
    // reported on its own, and one does not stop the other. True when all
    // that was asked for was written.
    bool WriteSettingsAndProviders(bool bWriteSettings, bool bWriteProviders);
    // Stops all activity and writes everything back; runs once.
    void ShutdownMainWindow();

    Settings& ProgramSettings() { return m_settings; }
    ProviderCollection& Providers() { return *m_providers; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Loads the providers file; true when the list had to start afresh.
    bool LoadProviderList();
    void SortProviderList();
    void ApplyWindowPlacement();
    void StoreWindowPlacement();

    SettingsStore& m_store;
    QString m_providersFilePath;
    Settings m_settings;
    std::unique_ptr<ProviderCollection> m_providers;
    bool m_shutDown = false;
};
