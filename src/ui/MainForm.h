#pragma once

#include "config/MasterProviderSet.h"
#include "config/Settings.h"
#include "retrieval/ProgramFlags.h"
#include "retrieval/SchedulingPreferences.h"
#include "ui/DesktopActions.h"
#include "ui/ProviderSubscription.h"

#include <QMainWindow>

#include <memory>

class ArrivalSound;
class AutoFlip;
class CommandBar;
class ContextMenu;
class TrayIcon;
class UpdateReportForm;
class DetachedBrowser;
class FeedFetcher;
class ImageCache;
class MainLayout;
class Provider;
class ProviderCollection;
class RefreshScheduler;
class SettingsStore;
class WindowBridge;
class WindowCommands;

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
    MainLayout& Layout() { return *m_layout; }
    CommandBar& Commands() { return *m_commands; }
    ContextMenu& Menu() { return *m_contextMenu; }
    AutoFlip& Flip() { return *m_flip; }
    ProgramFlags& Flags() { return m_flags; }
    SchedulingPreferences& Scheduling() { return m_scheduling; }
    const DesktopActions& Desktop() const { return m_desktop; }
    const std::shared_ptr<Provider>& CurrentProvider() const { return m_current; }
    FeedFetcher& Fetcher() { return *m_fetcher; }
    RefreshScheduler& Scheduler() { return *m_scheduler; }

    // Makes provider `index` (1-based) the one on show: its stories in the
    // grid, its image, and a fetch when it is due or has nothing to show.
    void ShowProvider(qsizetype index);
    // 0 when no provider is on show.
    qsizetype CurrentProviderIndex() const;
    bool IsCurrentProvider(const Provider& provider) const;
    void FillArticlesList();
    // Rebuilds the tree from the provider list, every category open.
    void FillFeedTree();
    // Shows story `row` (1-based) of the provider on show in the panes.
    void ShowArticle(int row);
    void ApplyPreferences();
    // Brings the window back from the tray, the task bar or behind others.
    void RestoreWindow();
    // The category of the tree node the context menu was opened on.
    const QString& ContextCategory() const { return m_contextCategory; }
    void setupBrowser();
    void PlayArrivalSound(const QString& soundFile);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The first-run category choice and the master list's report, over the
    // window once it shows; neither holds start-up up.
    void OpenStartupWindows(bool bFirstRun);
    void StartTimers();
    void ApplyWindowPlacement();
    void StoreWindowPlacement();
    void ConnectViews();
    void ConnectMenus();
    void OpenContextMenu(QWidget* pane, const QPoint& position);
    void OnProviderLoaded();
    void RaiseOpenDialogs();
    void OnCommand(const QString& key);

    std::pair<QStringList, int> ArticleTitles() const;
    void OnTreeProviderSelected(Long lUniqueID);
    void OnArticleActivated(int row);
    void ShowSiteImage(const Provider& provider);
    // The story of `row` as the panes open it: the full link, through the
    // translation service for a provider in another language.
    QString TranslatedArticleURL(int row) const;
    void SetCurrentProviderByID(Long lUniqueID);

    SettingsStore& m_store;
    QString m_providersFilePath;
    MasterProviderSet::Locations m_masterList;
    Settings m_settings;
    std::unique_ptr<ProviderCollection> m_providers;
    SchedulingPreferences m_scheduling;
    ProgramFlags m_flags;
    std::unique_ptr<WindowBridge> m_bridge;
    MainLayout* m_layout;
    CommandBar* m_commands;
    ContextMenu* m_contextMenu;
    TrayIcon* m_tray;
    QString m_contextCategory;
    UpdateReportForm* m_report;
    bool m_reportChanged = false;
    FeedFetcher* m_fetcher;
    RefreshScheduler* m_scheduler;
    AutoFlip* m_flip;
    ArrivalSound* m_sound;
    ImageCache* m_images = nullptr;
    DetachedBrowser* m_detachedBrowser = nullptr;
    std::shared_ptr<Provider> m_current;
    DesktopActions m_desktop;
    ProviderSubscription m_subscription{*this};
    std::unique_ptr<WindowCommands> m_windowCommands;
    bool m_shutDown = false;
};
