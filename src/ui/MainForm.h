#pragma once

#include "core/ProviderSubscription.h"
#include "platform/Types.h"

#include <QMainWindow>

#include <functional>
#include <memory>

class ArrivalSound;
class ArticleAddressLabel;
class CommandBar;
class ContextMenu;
class DetachedBrowser;
struct FeedLink;
class MainLayout;
class ProgramCore;
class Provider;
class ProviderListener;
class TrayIcon;
class UpdateReportForm;
class WindowCommands;
class WindowDragger;

// The main window: the views of the program's core, composed and connected
// to it. Load() runs the start-up and ends by showing the window; closing
// it runs the shutdown, which writes everything back.
class MainForm : public QMainWindow {
    Q_OBJECT

public:
    explicit MainForm(ProgramCore& core, QWidget* parent = nullptr);
    ~MainForm() override;

    void Load();
    // Stops all activity and writes everything back; runs once.
    void ShutdownMainWindow();
    // Brings the window back from the tray, the task bar or behind others.
    void RestoreWindow();

    MainLayout& Layout() { return *m_layout; }
    CommandBar& Commands() { return *m_commandBar; }
    ContextMenu& Menu() { return *m_contextMenu; }
    WindowDragger& Dragger() { return *m_dragger; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The first-run category choice and the master list's report, over the
    // window once it shows; neither holds start-up up.
    void OpenStartupWindows(bool firstRun);
    void ApplyWindowPlacement();
    void StoreWindowPlacement();
    void ConnectCore();
    void ConnectViews();
    void ConnectMenus();
    void OpenContextMenu(QWidget* pane, const QPoint& position);
    void RaiseOpenDialogs();

    void FillFeedTree();
    void ShowProviderCaption(const Provider* provider);
    void OnProviderShown(const std::shared_ptr<Provider>& provider);
    void OnStoriesChanged(int row);
    void OnStorySelected(int row, const QString& url, const QString& title);
    void OnProviderUpdated(const Provider& provider);
    void ApplyPreferences();
    // Dresses the window in the skin chosen, or in the desktop's frame.
    void ApplySkin();
    void SetOnTop(bool onTop);
    void SetupBrowser();
    void ShowSiteImage();
    void ShowNotice(const QString& text);
    void AddDroppedURL(const QString& url, const QString& category);
    void StartListener();
    void AskCategoryForPage(std::function<void(const QString& category)> answer);
    void DroppedFeedSubscribed(const ProviderSubscription::Result& result, const FeedLink& feed);
    void OpenPhoneHomePrompt(const QString& text);
    std::pair<QStringList, int> ArticleTitles() const;

    ProgramCore& m_core;
    WindowCommands* m_windowCommands;
    MainLayout* m_layout;
    CommandBar* m_commandBar;
    ContextMenu* m_contextMenu;
    TrayIcon* m_tray;
    UpdateReportForm* m_report;
    ArrivalSound* m_sound;
    ArticleAddressLabel* m_address;
    WindowDragger* m_dragger;
    ProviderListener* m_listener;
    DetachedBrowser* m_detachedBrowser = nullptr;
};
