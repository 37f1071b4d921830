#pragma once

#include "config/MasterProviderSet.h"
#include "config/Settings.h"

#include <QMainWindow>

#include <memory>

class ProgressReporter;
class ProviderCollection;
class SplashForm;
class SettingsStore;

// The main window. Load() runs the program's start-up and ends by showing
// the window; closing it runs the shutdown, which writes everything back.
class MainForm : public QMainWindow {
    Q_OBJECT

public:
    // `masterList` says where the master provider list is published, kept
    // and shipped; tests put local places there.
    MainForm(SettingsStore& store, const QString& providersFilePath,
             MasterProviderSet::Locations masterList = MasterProviderSet::DefaultLocations(),
             QWidget* parent = nullptr);
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
    // Loads the providers file; when it is missing or unreadable the master
    // provider list fills the list instead. True when the list had to start
    // afresh.
    bool LoadProviderList(SplashForm& splash);
    // The upgrade steps for a list written by an older version, and the
    // master list's updates when the user asked for them. True when the
    // list changed.
    bool UpdateFromMasterList(SplashForm& splash);
    bool MergeMasterList(bool bFailMessage, ProgressReporter* progress, bool bDoLocal);
    void SortProviderList(SplashForm& splash);
    void ApplyWindowPlacement();
    void StoreWindowPlacement();

    SettingsStore& m_store;
    QString m_providersFilePath;
    MasterProviderSet::Locations m_masterList;
    Settings m_settings;
    std::unique_ptr<ProviderCollection> m_providers;
    bool m_shutDown = false;
};
