#include "ui/MainForm.h"

#include "config/ProgramVersion.h"
#include "config/ProviderListStartup.h"
#include "config/SettingsIO.h"
#include "feeds/FeedFormat.h"
#include "feeds/Languages.h"
#include "model/ProviderCollection.h"
#include "model/StoryCollection.h"
#include "platform/BackgroundNotice.h"
#include "platform/MessageBox.h"
#include "platform/ProgramError.h"
#include "platform/Saturating.h"
#include "platform/Twips.h"
#include "platform/WindowMessage.h"
#include "retrieval/AutoFlip.h"
#include "retrieval/FeedFetcher.h"
#include "retrieval/ImageCache.h"
#include "retrieval/RefreshScheduler.h"
#include "ui/ArrivalSound.h"
#include "ui/ArticleGrid.h"
#include "ui/BrowserPane.h"
#include "ui/CommandBar.h"
#include "ui/ContextMenu.h"
#include "ui/DetachedBrowser.h"
#include "ui/FeedTree.h"
#include "ui/MainLayout.h"
#include "ui/SplashForm.h"
#include "ui/Startup.h"
#include "ui/TrayIcon.h"
#include "ui/UpdateReportForm.h"
#include "ui/WindowBridge.h"
#include "ui/WindowCommands.h"
#include "ui/WindowPlacement.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QStatusBar>

#include <cstdio>

namespace {

constexpr int NoticeShownMs = 15000;

QSize ScreenSizeTwips() {
    const QSize pixels = QGuiApplication::primaryScreen()->availableGeometry().size();
    return {Twips::FromPixels(pixels.width()), Twips::FromPixels(pixels.height())};
}

QList<QRect> AvailableScreens() {
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens.append(screen->availableGeometry());
    return screens;
}

} // namespace

MainForm::MainForm(SettingsStore& store, const QString& providersFilePath,
                   MasterProviderSet::Locations masterList, QWidget* parent)
    : QMainWindow(parent)
    , m_store(store)
    , m_providersFilePath(providersFilePath)
    , m_masterList(std::move(masterList))
    , m_providers(std::make_unique<ProviderCollection>())
    , m_bridge(std::make_unique<WindowBridge>(*this))
    , m_layout(new MainLayout(this))
    , m_commands(new CommandBar(this))
    , m_contextMenu(new ContextMenu(this))
    , m_tray(new TrayIcon(this))
    , m_report(new UpdateReportForm(this))
    , m_fetcher(new FeedFetcher(*m_bridge, this))
    , m_scheduler(
          new RefreshScheduler(*m_providers, *m_fetcher, *m_bridge, m_scheduling, m_flags, this))
    , m_flip(new AutoFlip(*m_providers, *m_scheduler, *m_bridge, m_scheduling, m_flags, this))
    , m_sound(new ArrivalSound(this))
    , m_windowCommands(std::make_unique<WindowCommands>(*this)) {
    setCentralWidget(m_layout->Root());
    addToolBar(m_commands);
    ConnectViews();
    ConnectMenus();
    // Errors of background work are told without a box that would stop the
    // timers' work behind it: in the status bar, from the tray icon and on
    // standard error.
    BackgroundNotice::SetSink([this](const QString& text) {
        std::fprintf(stderr, "message: %s\n", qUtf8Printable(text));
        statusBar()->showMessage(text, NoticeShownMs);
        m_tray->ShowMessage(text);
    });
}

MainForm::~MainForm() {
    BackgroundNotice::SetSink(nullptr);
    // They hold the provider list and the bridge, which are gone before the
    // window's children would be deleted.
    delete m_flip;
    delete m_scheduler;
    delete m_fetcher;
}

void MainForm::Load() {
    SettingsIO::SetDefaultSettings(m_settings, ScreenSizeTwips());
    SettingsIO::ReadSettings(m_store, ProgramName(), m_settings);
    // Every run starts with the category tree hidden, whatever was stored.
    m_settings.ShowCategories = false;
    SplashForm splash;
    splash.show();
    setWindowTitle(ProgramName());
    splash.SetStatus(QStringLiteral("Creating global data..."));
    splash.SetStatus(QStringLiteral("Resetting state..."));
    m_settings.Invocations = SaturatingAdd(m_settings.Invocations, 1);
    ProviderListStartup list(*m_providers, m_settings, m_masterList, splash);
    bool listChanged = list.LoadProviderList(m_providersFilePath);
    m_report->Reset();
    listChanged = list.UpdateFromMasterList(*m_report, m_reportChanged) || listChanged;
    list.SortProviderList();
    const CategoryCollection& categories = m_providers->Categories();
    if (m_settings.CurrentCategory.isEmpty() && categories.Count() > 0) {
        m_settings.CurrentCategory = categories.Item(1)->CategoryName;
        listChanged = true;
    }
    if (listChanged) {
        splash.SetStatus(QStringLiteral("Writing settings and providers..."));
        WriteSettingsAndProviders(true, true);
    }
    splash.SetStatus(QStringLiteral("Preparing UI..."));
    m_images = new ImageCache(m_settings.TempDirectory, this);
    connect(m_images, &ImageCache::ImageArrived, this, [this] {
        if (m_current != nullptr)
            ShowSiteImage(*m_current);
    });
    m_fetcher->SetCharsRead(m_settings.CharsRead);
    FillFeedTree();
    splash.SetStatus(QStringLiteral("Applying settings..."));
    ApplyWindowPlacement();
    splash.SetStatus(QStringLiteral("Applying preferences..."));
    ApplyPreferences();
    if (m_current == nullptr && m_providers->Count() > 0)
        ShowProvider(1);
    show();
    m_tray->Show();
    splash.close();
    activateWindow();
    OpenStartupWindows(m_settings.Invocations == 1);
}

// The background refresh waits for the first run's choice of categories,
// so that nothing the user is about to switch off is fetched.
void MainForm::OpenStartupWindows(bool bFirstRun) {
    if (bFirstRun) {
        auto* choice = new Startup(m_providers->Categories(), this);
        choice->setAttribute(Qt::WA_DeleteOnClose);
        connect(choice, &QDialog::accepted, this, [this] {
            FillFeedTree();
            m_scheduler->SetBackgroundRange(m_settings.backgroundUpdateMode, false);
        });
        connect(choice, &QDialog::finished, this, &MainForm::StartTimers);
        choice->open();
    } else {
        StartTimers();
    }
    if (m_reportChanged) {
        m_report->adjustSize();
        m_report->move(frameGeometry().center() - m_report->rect().center());
        m_report->open();
    }
}

void MainForm::StartTimers() {
    // The first-run window can outlive a shutdown begun from the tray menu.
    if (m_shutDown)
        return;
    m_scheduler->Start();
    m_flip->Start();
}

void MainForm::ApplyWindowPlacement() {
    const QRect placement = WindowPlacement::Restore(
        m_settings, AvailableScreens(), QGuiApplication::primaryScreen()->availableGeometry());
    move(placement.topLeft());
    resize(placement.size());
    const qsizetype current = m_providers->LocateProvider(m_settings.CurrentProvider);
    if (current >= 1 && m_providers->Item(current)->Active)
        ShowProvider(current);
    m_layout->SetSplitterPositions(Twips::ToPixels(m_settings.VertSplitterX),
                                   Twips::ToPixels(m_settings.LeftSplitterY),
                                   Twips::ToPixels(m_settings.RightSplitterY));
}

void MainForm::StoreWindowPlacement() {
    m_settings.VertSplitterX = Twips::FromPixels(m_layout->VerticalSplitterX());
    m_settings.LeftSplitterY = Twips::FromPixels(m_layout->LeftSplitterY());
    m_settings.RightSplitterY = Twips::FromPixels(m_layout->RightSplitterY());
    if (isMinimized() || isMaximized() || isFullScreen())
        return;
    WindowPlacement::Store(m_settings, QRect(pos(), size()));
}

bool MainForm::WriteSettingsAndProviders(bool bWriteSettings, bool bWriteProviders) {
    bool written = true;
    if (bWriteSettings) {
        try {
            SettingsIO::WriteSettings(m_store, ProgramName(), m_settings);
        } catch (const ProgramError&) {
            MessageBox::ShowOperationError(QStringLiteral("WriteSettingsAndProviders"));
            written = false;
        }
    }
    // Settings that cannot be written must not cost the run's changes to the
    // provider list.
    if (bWriteProviders)
        written = m_providers->SaveFile(m_providersFilePath, nullptr, false, true, true) && written;
    return written;
}

void MainForm::ShutdownMainWindow() {
    if (m_shutDown)
        return;
    m_shutDown = true;
    // No new fetch may start, and no completion may change a provider while
    // the file is written.
    m_scheduler->Stop();
    m_flip->Stop();
    m_providers->CancelPendingRequests(Currency::FromScaled(-Currency::Scale));
    SplashForm splash;
    splash.SetPosition(this);
    splash.show();
    splash.SetStatus(QStringLiteral("Writing settings and providers..."));
    StoreWindowPlacement();
    hide();
    m_tray->Hide();
    m_settings.CurrentProvider = m_current != nullptr ? m_current->ProviderName : QString();
    m_settings.ProviderCount = static_cast<qint32>(m_providers->Count());
    m_settings.CharsRead = m_fetcher->CharsRead();
    WriteSettingsAndProviders(true, true);
}

void MainForm::ShowProvider(qsizetype index) {
    if (index < 1 || index > m_providers->Count())
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_current = m_providers->Item(index);
    Provider& provider = *m_current;
    ShowSiteImage(provider);
    if (provider.NeedsDetails && provider.Origin != 0)
        m_fetcher->GrabProviderDetails(provider);
    setWindowTitle(ProgramName() + QStringLiteral(" - ") + provider.ProviderName);
    m_layout->Grid().SetProviderName(provider.ProviderName);
    FillArticlesList();
    const bool empty = provider.stCollStories == nullptr || provider.stCollStories->Count() == 0;
    if (provider.LoadState != LoadState::LoadedWithNewStories ||
        provider.MinutesToNextRefresh == 0 || empty)
        m_fetcher->GrabStories(provider);
    QApplication::restoreOverrideCursor();
}

qsizetype MainForm::CurrentProviderIndex() const {
    if (m_current == nullptr)
        return 0;
    return std::max<qsizetype>(m_providers->LocateProviderByUniqueID(m_current->UniqueID), 0);
}

bool MainForm::IsCurrentProvider(const Provider& provider) const {
    return m_current.get() == &provider;
}

void MainForm::FillFeedTree() {
    m_layout->Tree().Fill(*m_providers);
    m_layout->Tree().expandAll();
}

void MainForm::FillArticlesList() {
    if (m_current != nullptr)
        m_layout->Grid().FillArticlesList(*m_current, m_settings.HighlightNewStories);
}

void MainForm::ShowArticle(int row) {
    m_flip->ResetFlipCountdown();
    const QString url = TranslatedArticleURL(row);
    if (url.isEmpty())
        return;
    if (m_settings.ShowHeadlineBrowser)
        m_layout->Browser().ShowArticle(url, m_current->stCollStories->Item(row).Title);
    if (m_settings.ShowBrowser && m_detachedBrowser != nullptr)
        m_detachedBrowser->Navigate(url);
}

QString MainForm::TranslatedArticleURL(int row) const {
    if (m_current == nullptr || m_current->stCollStories == nullptr || row < 1 ||
        row > m_current->stCollStories->Count())
        return {};
    const QString url = m_current->stCollStories->ItemURL(row);
    return Languages::TranslationURL(m_current->Language, 1, url);
}

void MainForm::ApplyPreferences() {
    m_scheduling.backgroundUpdateMode = m_settings.backgroundUpdateMode;
    m_scheduling.CheckForUpdates = m_settings.CheckForUpdates;
    m_scheduling.AutoFlip = m_settings.AutoFlip;
    m_scheduling.FlipInterval = m_settings.FlipInterval;
    m_scheduling.FlipProviders = m_settings.FlipProviders;
    m_scheduling.FlipCategories = m_settings.FlipCategories;
    setWindowFlag(Qt::WindowStaysOnTopHint, m_settings.OnTop);
    m_layout->Grid().ApplyFont(m_settings.ArticleListFont, m_settings.ArticleListFontSize);
    m_layout->Tree().SetShowLastLoadTimeTooltip(m_settings.ShowLastLoadTimeTooltip);
    m_layout->SetPanesShown(m_settings.ShowActiveProvidersList, m_settings.ShowActiveProviderImage,
                            m_settings.ShowHeadlineBrowser);
    m_flip->ResetFlipCountdown();
    m_scheduler->SetBackgroundRange(m_settings.backgroundUpdateMode, true);
    setupBrowser();
}

void MainForm::setupBrowser() {
    const int row = m_layout->Grid().SelectedRow();
    if (m_settings.ShowBrowser) {
        if (m_detachedBrowser == nullptr)
            m_detachedBrowser = new DetachedBrowser(this);
        m_detachedBrowser->show();
    } else if (m_detachedBrowser != nullptr) {
        m_detachedBrowser->hide();
    }
    if (m_settings.ShowHeadlineBrowser || m_settings.ShowBrowser)
        ShowArticle(row);
    if (!m_settings.ShowHeadlineBrowser)
        m_layout->Browser().ShowBlank();
}

void MainForm::PlayArrivalSound(const QString& soundFile) {
    m_sound->Play(soundFile);
}

void MainForm::ConnectViews() {
    FeedTree& tree = m_layout->Tree();
    connect(&tree, &FeedTree::ProviderSelected, this, &MainForm::OnTreeProviderSelected);
    connect(&tree, &FeedTree::CategorySelected, this, [this](const QString& path) {
        if (!m_flags.UserBusy)
            m_settings.CurrentCategory = path;
    });
    // Queued: the tree is still inside its editor's commit.
    connect(
        &tree, &FeedTree::CategoryRenamed, this,
        [this](const QString& from, const QString& to) {
            FeedTree::RenameCategory(*m_providers, from, to);
            FillFeedTree();
        },
        Qt::QueuedConnection);
    // Queued: the chooser it may open must not run inside the drop.
    connect(
        &tree, &FeedTree::ProviderURLDropped, this,
        [this](const QString& url, const QString& category) {
            m_subscription.AddProviderByURL(url, category);
        },
        Qt::QueuedConnection);
    // The tree and the grid would take the window's keys for their own
    // type-to-search.
    tree.installEventFilter(this);
    for (QAbstractItemView* view : m_layout->Grid().findChildren<QAbstractItemView*>())
        view->installEventFilter(this);
    connect(m_commands, &CommandBar::Command, this,
            [this](const QString& key) { m_windowCommands->OnCommand(key); });
    connect(m_commands, &CommandBar::FindRequested, this,
            [this](const QString& text) { m_windowCommands->FindStory(text); });
    m_commands->SetArticleSource([this] { return ArticleTitles(); });
    ArticleGrid& grid = m_layout->Grid();
    connect(&grid, &ArticleGrid::ArticleSelected, this, &MainForm::ShowArticle);
    connect(&grid, &ArticleGrid::ArticleActivated, this, &MainForm::OnArticleActivated);
}

void MainForm::ConnectMenus() {
    for (QWidget* pane :
         {static_cast<QWidget*>(&m_layout->Tree()), static_cast<QWidget*>(&m_layout->Grid()),
          static_cast<QWidget*>(&m_layout->Browser()),
          static_cast<QWidget*>(&m_layout->SiteImage())}) {
        pane->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(pane, &QWidget::customContextMenuRequested, this,
                [this, pane](const QPoint& position) { OpenContextMenu(pane, position); });
    }
    connect(m_contextMenu, &ContextMenu::Chosen, this,
            [this](const QString& item) { m_windowCommands->OnContextItem(item); });
    connect(m_tray, &TrayIcon::RestoreRequested, this, &MainForm::RestoreWindow);
    connect(m_tray, &TrayIcon::MenuRequested, this, [this](const QPoint& position) {
        m_contextMenu->PrepareFor(ContextMenu::Place::TrayIcon, m_settings);
        activateWindow();
        m_contextMenu->popup(position);
    });
}

// A right click in the tree acts on the node under the pointer, which it
// selects first.
void MainForm::OpenContextMenu(QWidget* pane, const QPoint& position) {
    ContextMenu::Place place = ContextMenu::Place::OtherPane;
    FeedTree& tree = m_layout->Tree();
    if (pane == &tree) {
        QTreeWidgetItem* item = tree.itemAt(position);
        if (item == nullptr)
            return;
        tree.setCurrentItem(item);
        m_contextCategory = tree.SelectedCategoryPath();
        place = tree.SelectedProviderID() ? ContextMenu::Place::ProviderNode
                                          : ContextMenu::Place::CategoryNode;
    } else if (pane == &m_layout->Grid()) {
        place = ContextMenu::Place::ArticleGrid;
    }
    m_contextMenu->PrepareFor(place, m_settings);
    m_contextMenu->popup(pane->mapToGlobal(position));
}

void MainForm::RestoreWindow() {
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

void MainForm::OnTreeProviderSelected(Long lUniqueID) {
    if (m_flags.UserBusy)
        return;
    m_settings.ProviderSingleClicks = SaturatingAdd(m_settings.ProviderSingleClicks, 1);
    m_flip->ResetFlipCountdown();
    SetCurrentProviderByID(lUniqueID);
    m_scheduler->SetBackgroundRange(m_settings.backgroundUpdateMode, false);
}

void MainForm::SetCurrentProviderByID(Long lUniqueID) {
    const qsizetype index = m_providers->LocateProviderByUniqueID(lUniqueID);
    if (index >= 1 && m_providers->Item(index)->Active)
        ShowProvider(index);
}

// Only web pages leave the program: a feed's link to anything else (a
// local file, a script) is not opened.
void MainForm::OnArticleActivated(int row) {
    m_settings.ArticleDoubleClicks = SaturatingAdd(m_settings.ArticleDoubleClicks, 1);
    if (!m_desktop.OpenWebPage(TranslatedArticleURL(row)))
        QApplication::beep();
}

void MainForm::ShowSiteImage(const Provider& provider) {
    QLabel& image = m_layout->SiteImage();
    image.clear();
    if (!m_settings.ShowActiveProviderImage || m_images == nullptr || provider.ImageURL.isEmpty())
        return;
    try {
        const QString file = m_images->LocalImageFile(provider.ImageURL);
        if (!file.isEmpty())
            image.setPixmap(
                QPixmap(file).scaled(image.size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    } catch (const ProgramError&) {
        // A logo that is not there is simply not shown.
    }
}

bool MainForm::event(QEvent* event) {
    if (event->type() == QEvent::WinIdChange)
        RaiseOpenDialogs();
    if (!WindowMessage::IsWindowMessage(event->type()))
        return QMainWindow::event(event);
    switch (static_cast<int>(event->type())) {
    case WindowMessage::WM_PROVIDER_LOADED:
        OnProviderLoaded();
        break;
    case WindowMessage::WM_NEXT_ARTICLE:
        m_flip->ToNextArticle();
        break;
    case WindowMessage::WM_SELECT_ARTICLE:
        ShowArticle(m_layout->Grid().SelectedRow());
        break;
    case WindowMessage::WM_NEXT_PROVIDER:
        m_flip->NextProvider();
        break;
    default:
        m_flip->PreviousProvider();
        break;
    }
    return true;
}

// The web view turns the window into one it can draw into with the graphics
// card once its first page shows, and the window system takes the new
// window for the topmost: the first-run and report windows opened before
// would end up behind it, holding the window they block.
void MainForm::RaiseOpenDialogs() {
    for (QDialog* dialog : findChildren<QDialog*>(Qt::FindDirectChildrenOnly)) {
        if (dialog->isVisible()) {
            dialog->raise();
            dialog->activateWindow();
        }
    }
}

bool MainForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress &&
        m_windowCommands->HandleKey(static_cast<const QKeyEvent&>(*event)))
        return true;
    return QMainWindow::eventFilter(watched, event);
}

void MainForm::keyPressEvent(QKeyEvent* event) {
    if (!m_windowCommands->HandleKey(*event))
        QMainWindow::keyPressEvent(event);
}

std::pair<QStringList, int> MainForm::ArticleTitles() const {
    QStringList titles;
    if (m_current != nullptr && m_current->stCollStories != nullptr) {
        for (const Story& story : *m_current->stCollStories)
            titles.append(story.Title);
    }
    return {titles, m_layout->Grid().SelectedRow()};
}

void MainForm::OnProviderLoaded() {
    FillArticlesList();
    setupBrowser();
}

void MainForm::closeEvent(QCloseEvent* event) {
    ShutdownMainWindow();
    event->accept();
}
