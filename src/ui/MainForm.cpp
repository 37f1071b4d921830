#include "ui/MainForm.h"

#include "config/ProgramVersion.h"
#include "core/FeedSubscriber.h"
#include "core/ProgramCore.h"
#include "core/ProviderListener.h"
#include "core/SkinSelection.h"
#include "model/ProviderCollection.h"
#include "model/StoryCollection.h"
#include "platform/BackgroundNotice.h"
#include "platform/Twips.h"
#include "ui/ArrivalSound.h"
#include "ui/ArticleAddressLabel.h"
#include "ui/ArticleGrid.h"
#include "ui/BrowserPane.h"
#include "ui/CommandBar.h"
#include "ui/ContextMenu.h"
#include "ui/DesktopActions.h"
#include "ui/DetachedBrowser.h"
#include "ui/FeedTree.h"
#include "ui/MainLayout.h"
#include "ui/SelectCategory.h"
#include "ui/SkinFrame.h"
#include "ui/SkinLook.h"
#include "ui/SplashForm.h"
#include "ui/Startup.h"
#include "ui/TrayIcon.h"
#include "ui/UpdateReportForm.h"
#include "ui/WindowCommands.h"
#include "ui/WindowDragger.h"
#include "ui/WindowFlag.h"
#include "ui/WindowPlacement.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
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

MainForm::MainForm(ProgramCore& core, QWidget* parent)
    : QMainWindow(parent)
    , m_core(core)
    , m_windowCommands(new WindowCommands(core, *this))
    , m_layout(new MainLayout(this))
    , m_commandBar(new CommandBar(m_windowCommands->Actions(), this))
    , m_contextMenu(new ContextMenu(m_windowCommands->Actions(), this))
    , m_tray(new TrayIcon(this))
    , m_report(new UpdateReportForm(this))
    , m_sound(new ArrivalSound(this))
    , m_address(new ArticleAddressLabel(*statusBar()))
    , m_dragger(new WindowDragger(this))
    , m_listener(new ProviderListener(
          core, [this](auto answer) { AskCategoryForPage(std::move(answer)); }, this)) {
    setWindowTitle(ProgramName());
    setCentralWidget(m_layout->Root());
    addToolBar(m_commandBar);
    m_windowCommands->SetFindBox(&m_commandBar->FindBox());
    ConnectCore();
    ConnectViews();
    ConnectMenus();
}

MainForm::~MainForm() = default;

void MainForm::Load() {
    SplashForm splash;
    splash.show();
    const bool reportChanged = m_core.Load(ScreenSizeTwips(), splash, *m_report);
    // A signal to end the program may have been handled while the splash
    // window drew itself.
    if (m_core.IsShutDown())
        return;
    splash.SetStatus(QStringLiteral("Preparing UI..."));
    FillFeedTree();
    splash.SetStatus(QStringLiteral("Applying settings..."));
    ApplyWindowPlacement();
    splash.SetStatus(QStringLiteral("Applying preferences..."));
    m_core.ApplyPreferences();
    show();
    m_tray->Show();
    splash.SetStatus(QStringLiteral("Listening for updates..."));
    StartListener();
    splash.close();
    activateWindow();
    OpenStartupWindows(m_core.ProgramSettings().Invocations == 1);
    if (reportChanged) {
        m_report->adjustSize();
        m_report->move(frameGeometry().center() - m_report->rect().center());
        m_report->open();
    }
}

// The background refresh waits for the first run's choice of categories,
// so that nothing the user is about to switch off is fetched.
void MainForm::OpenStartupWindows(bool firstRun) {
    if (!firstRun) {
        m_core.StartTimers();
        return;
    }
    auto* choice = new Startup(m_core.Providers().Categories(), this);
    choice->setAttribute(Qt::WA_DeleteOnClose);
    SkinFrame::Follow(*choice, *this);
    connect(choice, &QDialog::accepted, &m_core, &ProgramCore::CategoriesChosen);
    connect(choice, &QDialog::finished, &m_core, &ProgramCore::StartTimers);
    choice->open();
}

void MainForm::ApplyWindowPlacement() {
    const Settings& settings = m_core.ProgramSettings();
    const QRect placement = WindowPlacement::Restore(
        settings, AvailableScreens(), QGuiApplication::primaryScreen()->availableGeometry());
    move(placement.topLeft());
    resize(placement.size());
    m_core.ShowStoredProvider();
    m_layout->SetSplitterPositions(Twips::ToPixels(settings.VertSplitterX),
                                   Twips::ToPixels(settings.LeftSplitterY),
                                   Twips::ToPixels(settings.RightSplitterY));
}

void MainForm::StoreWindowPlacement() {
    Settings& settings = m_core.ProgramSettings();
    settings.VertSplitterX = Twips::FromPixels(m_layout->VerticalSplitterX());
    settings.LeftSplitterY = Twips::FromPixels(m_layout->LeftSplitterY());
    settings.RightSplitterY = Twips::FromPixels(m_layout->RightSplitterY());
    if (isMinimized() || isMaximized() || isFullScreen())
        return;
    WindowPlacement::Store(settings, QRect(pos(), size()));
}

void MainForm::ShutdownMainWindow() {
    if (m_core.IsShutDown())
        return;
    SplashForm splash;
    splash.SetPosition(this);
    splash.show();
    splash.SetStatus(QStringLiteral("Writing settings and providers..."));
    StoreWindowPlacement();
    hide();
    m_tray->Hide();
    // No page may add a provider once the list is being written.
    m_listener->Close();
    m_core.Shutdown();
}

void MainForm::RestoreWindow() {
    m_windowCommands->RestoreWindow();
}

void MainForm::ConnectCore() {
    connect(&m_core, &ProgramCore::ProviderShown, this, &MainForm::OnProviderShown);
    connect(&m_core, &ProgramCore::StoriesChanged, this, &MainForm::OnStoriesChanged);
    connect(&m_core, &ProgramCore::StorySelected, this, &MainForm::OnStorySelected);
    connect(&m_core, &ProgramCore::StoryOpened, &m_layout->Grid(), &ArticleGrid::ShowRowOpened);
    // A story shown in the pane until its page came in has been read.
    connect(&m_layout->Browser(), &BrowserPane::PageLoaded, &m_core,
            [this] { m_core.MarkStoryOpened(m_core.CurrentStory()); });
    connect(&m_core, &ProgramCore::ProviderUpdated, this, &MainForm::OnProviderUpdated);
    connect(&m_core, &ProgramCore::ListChanged, this, &MainForm::FillFeedTree);
    connect(&m_core, &ProgramCore::SiteImageChanged, this, &MainForm::ShowSiteImage);
    connect(&m_core, &ProgramCore::PreferencesApplied, this, &MainForm::ApplyPreferences);
    connect(&m_core, &ProgramCore::Notice, this, &MainForm::ShowNotice);
    connect(&m_core, &ProgramCore::PlayCaptionChanged, m_commandBar, &CommandBar::SetPlayCaption);
    connect(&m_core, &ProgramCore::PlayIconChanged, m_commandBar, &CommandBar::SetPlayIcon);
    connect(&m_core, &ProgramCore::ArrivalSoundDue, m_sound, &ArrivalSound::Play);
    connect(&m_core, &ProgramCore::PhoneHomeDue, this, &MainForm::OpenPhoneHomePrompt);
    connect(&m_core.Skins(), &SkinSelection::CurrentChanged, this, &MainForm::ApplySkin);
    connect(&m_core, &ProgramCore::BusyChanged, this, [](bool busy) {
        if (busy)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    });
}

void MainForm::ConnectViews() {
    FeedTree& tree = m_layout->Tree();
    connect(&tree, &FeedTree::ProviderSelected, &m_core, &ProgramCore::ChooseProvider);
    connect(&tree, &FeedTree::CategorySelected, &m_core, &ProgramCore::ChooseCategory);
    // Queued: the tree is still inside its editor's commit.
    connect(&tree, &FeedTree::CategoryRenamed, &m_core, &ProgramCore::RenameCategory,
            Qt::QueuedConnection);
    // Queued: the chooser it may open must not run inside the drop.
    connect(&tree, &FeedTree::ProviderURLDropped, this, &MainForm::AddDroppedURL,
            Qt::QueuedConnection);
    connect(m_commandBar, &CommandBar::FindRequested, m_windowCommands, &WindowCommands::Find);
    connect(m_commandBar, &CommandBar::ArticleChosen, &m_core, &ProgramCore::SelectStory);
    m_commandBar->SetArticleSource([this] { return ArticleTitles(); });
    ArticleGrid& grid = m_layout->Grid();
    connect(&grid, &ArticleGrid::ArticleSelected, &m_core, &ProgramCore::SelectStory);
    connect(&grid, &ArticleGrid::ArticleActivated, m_windowCommands, &WindowCommands::ReadArticle);
    // The tree and the grid would take the window's keys for their own
    // type-to-search.
    tree.installEventFilter(this);
    for (QAbstractItemView* view : grid.findChildren<QAbstractItemView*>())
        view->installEventFilter(this);
    for (QWidget* body : std::initializer_list<QWidget*>{&grid.Heading(), &m_layout->SiteImage(),
                                                         m_commandBar, statusBar()})
        m_dragger->Watch(*body);
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
    connect(m_tray, &TrayIcon::RestoreRequested, this, &MainForm::RestoreWindow);
    // The tray shows a menu of its own: the desktop may open it at any time.
    auto* trayMenu = new ContextMenu(m_windowCommands->Actions(), this);
    const auto prepareTrayMenu = [this, trayMenu] {
        m_windowCommands->SetContext(0, QString());
        trayMenu->PrepareFor(ContextMenu::Place::TrayIcon, m_core.ProgramSettings());
    };
    prepareTrayMenu();
    connect(trayMenu, &QMenu::aboutToShow, this, prepareTrayMenu);
    m_tray->SetMenu(trayMenu);
    // Timed work waits while a menu is open or a splitter is dragged.
    const auto setBusy = [this](bool busy) {
        m_core.Flags().UserBusy = busy;
    };
    for (ContextMenu* menu : {m_contextMenu, trayMenu})
        connect(menu, &ContextMenu::UserBusy, this, setBusy);
    connect(m_commandBar, &CommandBar::UserBusy, this, setBusy);
    connect(m_layout, &MainLayout::UserBusy, this, setBusy);
}

// A right click in the tree acts on the node under the pointer.
void MainForm::OpenContextMenu(QWidget* pane, const QPoint& position) {
    ContextMenu::Place place = ContextMenu::Place::OtherPane;
    FeedTree& tree = m_layout->Tree();
    m_windowCommands->SetContext(0, QString());
    if (pane == &tree) {
        if (tree.itemAt(position) == nullptr)
            return;
        const Long providerID = tree.ProviderIDAt(position).value_or(0);
        m_windowCommands->SetContext(providerID, tree.CategoryPathAt(position));
        place =
            providerID != 0 ? ContextMenu::Place::ProviderNode : ContextMenu::Place::CategoryNode;
    } else if (pane == &m_layout->Grid()) {
        place = ContextMenu::Place::ArticleGrid;
    }
    m_contextMenu->PrepareFor(place, m_core.ProgramSettings());
    m_contextMenu->popup(pane->mapToGlobal(position));
}

void MainForm::FillFeedTree() {
    FeedTree& tree = m_layout->Tree();
    tree.Fill(m_core.Providers());
    tree.expandAll();
    if (m_core.CurrentProvider() != nullptr)
        tree.SelectProvider(m_core.CurrentProvider()->UniqueID);
}

void MainForm::ShowProviderCaption(const Provider* provider) {
    const QString name = provider != nullptr ? provider->ProviderName : QString();
    setWindowTitle(provider != nullptr ? ProgramName() + QStringLiteral(" - ") + name
                                       : ProgramName());
    m_layout->Grid().SetProviderName(name);
}

// The tree's highlight follows the provider on show, so that clicking the
// highlighted node after a flip shows it again.
void MainForm::OnProviderShown(const std::shared_ptr<Provider>& provider) {
    ShowProviderCaption(provider.get());
    m_layout->ShowProviderColours(provider.get(), m_core.ProgramSettings().UsePerProviderColor);
    ArticleGrid& grid = m_layout->Grid();
    if (provider == nullptr) {
        grid.Clear();
        return;
    }
    grid.FillArticlesList(*provider, m_core.ProgramSettings().HighlightNewStories);
    m_layout->Tree().SelectProvider(provider->UniqueID);
}

void MainForm::OnStoriesChanged(int row) {
    if (m_core.CurrentProvider() == nullptr)
        return;
    ArticleGrid& grid = m_layout->Grid();
    grid.FillArticlesList(*m_core.CurrentProvider(), m_core.ProgramSettings().HighlightNewStories);
    grid.SelectRow(row);
}

// A pane already showing the story keeps its page (and where the reader
// scrolled to): applying the preferences shows the story again.
void MainForm::OnStorySelected(int row, const QString& url, const QString& title) {
    m_layout->Grid().SelectRow(row);
    m_address->SetAddress(url);
    const Settings& settings = m_core.ProgramSettings();
    BrowserPane& pane = m_layout->Browser();
    if (settings.ShowHeadlineBrowser) {
        if (url.isEmpty())
            pane.ShowBlank();
        else if (pane.Url() != QUrl(url))
            pane.ShowArticle(url, title);
    }
    if (settings.ShowBrowser && m_detachedBrowser != nullptr && m_detachedBrowser->isVisible() &&
        !url.isEmpty() && m_detachedBrowser->Url() != QUrl(url))
        m_detachedBrowser->Navigate(url);
}

void MainForm::OnProviderUpdated(const Provider& provider) {
    m_layout->Tree().SetActiveProviderListProviderColor(provider);
    if (m_core.CurrentProvider().get() == &provider)
        ShowProviderCaption(&provider);
}

void MainForm::ApplyPreferences() {
    const Settings& settings = m_core.ProgramSettings();
    SetOnTop(settings.OnTop);
    m_layout->Grid().ApplyFont(settings.ArticleListFont, settings.ArticleListFontSize);
    m_layout->Tree().ApplyFont(settings.ProviderListFont, settings.ProviderListFontSize);
    m_layout->Tree().SetShowLastLoadTimeTooltip(settings.ShowLastLoadTimeTooltip);
    m_layout->SetPanesShown(settings.ShowActiveProvidersList, settings.ShowActiveProviderImage,
                            settings.ShowHeadlineBrowser);
    m_layout->ShowProviderColours(m_core.CurrentProvider().get(), settings.UsePerProviderColor);
    m_address->SetWanted(settings.ShowArticleURL);
    m_dragger->SetEnabled(settings.EasyMove);
    SetupBrowser();
    ShowSiteImage();
}

void MainForm::ApplySkin() {
    const SkinSelection& skins = m_core.Skins();
    const std::shared_ptr<Skin>& skin = skins.Current();
    SkinFrame::Apply(*this, skin != nullptr ? SkinLook::Load(*skin, skins.Directory()) : nullptr);
}

void MainForm::SetOnTop(bool onTop) {
    WindowFlag::Set(*this, Qt::WindowStaysOnTopHint, onTop);
}

void MainForm::SetupBrowser() {
    const Settings& settings = m_core.ProgramSettings();
    if (settings.ShowBrowser) {
        if (m_detachedBrowser == nullptr)
            m_detachedBrowser = new DetachedBrowser(this);
        m_detachedBrowser->show();
    } else if (m_detachedBrowser != nullptr) {
        m_detachedBrowser->hide();
    }
    if (!settings.ShowHeadlineBrowser)
        m_layout->Browser().ShowBlank();
    const int row = m_core.CurrentStory();
    if (row >= 1)
        m_core.SelectStory(row);
}

void MainForm::ShowSiteImage() {
    QLabel& image = m_layout->SiteImage();
    image.clear();
    const QString file = m_core.SiteImageFile();
    if (!m_core.ProgramSettings().ShowActiveProviderImage || file.isEmpty())
        return;
    image.setPixmap(
        QPixmap(file).scaled(image.size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

// Errors of background work are told without a box that would stop the
// timers' work behind it: in the status bar, from the tray icon and on
// standard error.
void MainForm::ShowNotice(const QString& text) {
    std::fprintf(stderr, "message: %s\n", qUtf8Printable(text));
    statusBar()->showMessage(text, NoticeShownMs);
    m_tray->ShowMessage(text);
}

// A dropped address is subscribed to by its feed, once that is found.
void MainForm::AddDroppedURL(const QString& url, const QString& category) {
    auto* subscriber = new FeedSubscriber(m_core, this);
    connect(subscriber, &FeedSubscriber::Subscribed, this,
            [this, subscriber](const ProviderSubscription::Result& result, const FeedLink& feed) {
                subscriber->deleteLater();
                DroppedFeedSubscribed(result, feed);
            });
    connect(subscriber, &FeedSubscriber::Failed, this, [this, subscriber](const QString& message) {
        subscriber->deleteLater();
        QApplication::beep();
        statusBar()->showMessage(message, NoticeShownMs);
    });
    subscriber->Start(url, category);
}

// A feed dropped below every category asks for one.
void MainForm::DroppedFeedSubscribed(const ProviderSubscription::Result& result,
                                     const FeedLink& feed) {
    if (result.outcome == ProviderSubscription::Outcome::Refused) {
        QApplication::beep();
        return;
    }
    if (result.outcome == ProviderSubscription::Outcome::Found)
        return;
    const QString subscribed = QStringLiteral("Subscribed to %1.").arg(FeedLinks::Describe(feed));
    if (result.outcome == ProviderSubscription::Outcome::Added) {
        statusBar()->showMessage(subscribed, NoticeShownMs);
        return;
    }
    SelectCategory chooser(m_core.Providers().Categories(), this);
    if (chooser.exec() == QDialog::Accepted && !chooser.getSelected().isEmpty() &&
        m_core.AddProviderByURL(feed.Address, chooser.getSelected()).provider != nullptr)
        statusBar()->showMessage(subscribed, NoticeShownMs);
}

// VARNOCET_LISTENER_PORT moves the listener to another port, and 0 switches
// it off: tests do, so that they never take the port of a running program.
void MainForm::StartListener() {
    const QString setting = qEnvironmentVariable("VARNOCET_LISTENER_PORT");
    bool valid = true;
    const quint16 port =
        setting.isEmpty() ? ProviderListener::DefaultPort : setting.toUShort(&valid);
    if (!valid)
        BackgroundNotice::Report(
            QStringLiteral("VARNOCET_LISTENER_PORT is no port number: %1.").arg(setting));
    else if (port != 0)
        m_listener->Listen(port);
}

// The choice of a category is the user's consent to what a web page asked
// for, so the chooser comes up above every other window.
void MainForm::AskCategoryForPage(std::function<void(const QString& category)> answer) {
    auto* chooser = new SelectCategory(m_core.Providers().Categories(), this);
    chooser->setAttribute(Qt::WA_DeleteOnClose);
    SkinFrame::Follow(*chooser, *this);
    chooser->setWindowFlag(Qt::WindowStaysOnTopHint);
    connect(chooser, &QDialog::finished, this,
            [chooser, answer = std::move(answer)] { answer(chooser->getSelected()); });
    chooser->open();
    chooser->raise();
    chooser->activateWindow();
}

// Without a home page there is nothing to visit: the news alone is told.
void MainForm::OpenPhoneHomePrompt(const QString& text) {
    const QString homePage = DesktopActions().HomePage();
    auto* prompt =
        homePage.isEmpty()
            ? new QMessageBox(QMessageBox::Information, ProgramName(), text, QMessageBox::Ok, this)
            : new QMessageBox(QMessageBox::Question, QStringLiteral("Phone Home?"),
                              text + QStringLiteral("\n\nVisit home page now?"),
                              QMessageBox::Yes | QMessageBox::No, this);
    prompt->setAttribute(Qt::WA_DeleteOnClose);
    connect(prompt, &QMessageBox::buttonClicked, this, [prompt, homePage](QAbstractButton* button) {
        if (prompt->standardButton(button) == QMessageBox::Yes)
            DesktopActions().OpenWebPage(homePage);
    });
    prompt->open();
}

std::pair<QStringList, int> MainForm::ArticleTitles() const {
    QStringList titles;
    const std::shared_ptr<Provider>& provider = m_core.CurrentProvider();
    if (provider != nullptr && provider->Stories != nullptr) {
        for (const Story& story : *provider->Stories)
            titles.append(story.Title);
    }
    return {titles, m_core.CurrentStory()};
}

bool MainForm::event(QEvent* event) {
    if (event->type() == QEvent::WinIdChange)
        RaiseOpenDialogs();
    return QMainWindow::event(event);
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
        m_windowCommands->Actions().TriggerKey(static_cast<const QKeyEvent&>(*event)))
        return true;
    return QMainWindow::eventFilter(watched, event);
}

void MainForm::closeEvent(QCloseEvent* event) {
    ShutdownMainWindow();
    event->accept();
}
