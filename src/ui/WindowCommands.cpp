#include "ui/WindowCommands.h"

#include "config/ProgramVersion.h"
#include "core/ProgramCore.h"
#include "core/SkinSelection.h"
#include "model/Provider.h"
#include "model/ProviderCollection.h"
#include "model/StoryCollection.h"
#include "ui/AddFeedDialog.h"
#include "ui/ContextMenu.h"
#include "ui/NoticeBox.h"
#include "ui/SettingsDialog.h"
#include "ui/WindowRestore.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QMimeData>

WindowCommands::WindowCommands(ProgramCore& core, QMainWindow& window, DesktopActions desktop)
    : QObject(&window)
    , m_core(core)
    , m_window(window)
    , m_desktop(std::move(desktop))
    , m_settings(new SettingsDialog(core, window,
                                    [this](const QString& topic) { m_desktop.ShowHelp(topic); }))
    , m_actions(new WindowActions(Table(), window)) {}

QList<WindowActions::Entry> WindowCommands::Table() {
    ProgramCore& core = m_core;
    const auto flip = [this, &core](const QString& key) {
        return Busy([&core, key] { core.FlipCommand(key); });
    };
    QList<WindowActions::Entry> table = {
        {"SETTINGS",
         "&Settings",
         "Settings",
         {},
         QStyle::SP_FileDialogDetailedView,
         [this] {
             m_settings->Show(false);
         }},
        {"HELP",
         "Help",
         "Help",
         {Qt::Key_F1},
         QStyle::SP_DialogHelpButton,
         [this] {
             ShowHelp();
         }},
        {"ABOUT",
         "About",
         "About",
         {},
         QStyle::SP_MessageBoxInformation,
         [this] {
             ShowAbout();
         }},
        {"EXIT",
         "E&xit",
         "Exit",
         {},
         QStyle::SP_DialogCloseButton,
         [this] {
             m_window.close();
         }},
        {"PREVIOUS", "&Previous", "Previous article", {}, QStyle::SP_ArrowBack, Busy([&core] {
             core.PreviousArticle();
         })},
        {"PLAY",
         "Auto&Flip (Off)",
         "Start or stop automatically flipping articles",
         {},
         QStyle::SP_MediaPlay,
         flip(QStringLiteral("PLAY"))},
        {"NEXT", "&Next", "Next article", {}, QStyle::SP_ArrowForward, Busy([&core] {
             core.NextArticle();
         })},
        {"MAIL",
         "&Send",
         "Send Article via email",
         {},
         QStyle::SP_CustomBase,
         [this] {
             SendSelectedArticle();
         }},
        {"FAST", "Fast", {}, {}, QStyle::SP_CustomBase, flip(QStringLiteral("FAST"))},
        {"MEDIUM", "Medium", {}, {}, QStyle::SP_CustomBase, flip(QStringLiteral("MEDIUM"))},
        {"SLOW", "Slow", {}, {}, QStyle::SP_CustomBase, flip(QStringLiteral("SLOW"))},
        {"FLIPPROVIDERS",
         "Flip Providers",
         {},
         {},
         QStyle::SP_CustomBase,
         flip(QStringLiteral("FLIPPROVIDERS"))},
        {"FLIPARTICLES",
         "Flip Articles",
         {},
         {},
         QStyle::SP_CustomBase,
         flip(QStringLiteral("FLIPARTICLES"))},
        {"PREVIOUSCATEGORY",
         "Previous Provider",
         {},
         {QKeySequence(u'<'), QKeySequence(u',')},
         QStyle::SP_CustomBase,
         Busy([&core] { core.PreviousProvider(); })},
        {"NEXTCATEGORY",
         "Next Provider",
         {},
         {QKeySequence(u'>'), QKeySequence(u'.')},
         QStyle::SP_CustomBase,
         Busy([&core] { core.NextProvider(); })},
        {"RELOAD",
         "Reload",
         {},
         {Qt::Key_F5},
         QStyle::SP_CustomBase,
         [&core] {
             core.ReloadCurrentProvider();
         }},
        {"RESKIN",
         "Reload Skin",
         {},
         {Qt::Key_F12},
         QStyle::SP_CustomBase,
         [this] {
             ReloadSkin();
         }},
        {"FINDFOCUS",
         "Find",
         {},
         {QKeySequence(u'/'), QKeySequence(u'?')},
         QStyle::SP_CustomBase,
         [this] {
             FocusFindBox();
         }},
        {"mnuContextVarnocet",
         "Varnocet",
         {},
         {},
         QStyle::SP_CustomBase,
         [this] {
             RestoreWindow();
         }},
        {"mnuContextCopyArticleURL",
         "&Copy Article URL",
         {},
         {},
         QStyle::SP_CustomBase,
         [this] {
             CopyArticleURL();
         }},
        {"mnuContextCopySiteURL",
         "C&opy Site URL",
         {},
         {},
         QStyle::SP_CustomBase,
         [this] {
             CopySiteURL();
         }},
        {"mnuContextVisit",
         "V&isit Provider Site",
         {},
         {},
         QStyle::SP_CustomBase,
         [this] {
             VisitSite();
         }},
        {"mnuContextProperties",
         "&Properties",
         {},
         {},
         QStyle::SP_CustomBase,
         [this] {
             m_settings->Show(true, m_contextProviderID);
         }},
        {"mnuContextAddFeed",
         "&Add Feed...",
         {},
         {},
         QStyle::SP_CustomBase,
         [this] {
             AddFeed();
         }},
        {"mnuContextReadArticle",
         "&Read Article",
         {},
         {},
         QStyle::SP_CustomBase,
         [this, &core] {
             ReadArticle(core.CurrentStory());
         }},
        {"mnuContextMarkAllRead",
         "&Mark All as Read",
         {},
         {},
         QStyle::SP_CustomBase,
         [this, &core] {
             if (const std::shared_ptr<Provider> provider = ContextProvider())
                 core.MarkAllRead(provider->UniqueID);
         }},
        {"mnuContextMakeCategoryInactive",
         "Make &Inactive",
         {},
         {},
         QStyle::SP_CustomBase,
         [this, &core] {
             core.MakeCategoryInactive(m_contextCategory);
         }},
        {"mnuContextMakeProviderInactive",
         "Make &Inactive",
         {},
         {},
         QStyle::SP_CustomBase,
         [this, &core] {
             core.MakeProviderInactive(m_contextProviderID);
         }},
        {"mnuContextMinimize",
         "Minimi&ze",
         {},
         {Qt::Key_Escape},
         QStyle::SP_CustomBase,
         [this] {
             m_window.showMinimized();
         }},
        {"mnuContextSettings",
         "&Settings",
         {},
         {},
         QStyle::SP_CustomBase,
         [this] {
             m_settings->Show(false);
         }},
        {"mnuContextAbout",
         "&About",
         {},
         {},
         QStyle::SP_CustomBase,
         [this] {
             ShowAbout();
         }},
        {"mnuContextHelp",
         "&Help",
         {},
         {},
         QStyle::SP_CustomBase,
         [this] {
             ShowHelp();
         }},
        {"mnuContextExit",
         "E&xit",
         {},
         {},
         QStyle::SP_CustomBase,
         [this] {
             m_window.close();
         }},
    };
    return table + ViewEntries();
}

QList<WindowActions::Entry> WindowCommands::ViewEntries() {
    QList<WindowActions::Entry> entries;
    for (const ContextMenu::ViewItem& item : ContextMenu::ViewItems()) {
        const auto preference = item.preference;
        entries.append({QLatin1String(item.name),
                        QString::fromUtf8(item.caption),
                        {},
                        {},
                        QStyle::SP_CustomBase,
                        [this, preference] { ToggleView(preference); },
                        true});
    }
    return entries;
}

// The user-busy flag holds the timers while a command runs.
std::function<void()> WindowCommands::Busy(std::function<void()> command) {
    return [this, command = std::move(command)] {
        bool& busy = m_core.Flags().UserBusy;
        const bool before = busy;
        busy = true;
        command();
        busy = before;
    };
}

void WindowCommands::SetContext(Long providerID, const QString& category) {
    m_contextProviderID = providerID;
    m_contextCategory = category;
}

// Only web pages leave the program: a feed's link to anything else (a
// local file, a script) is not opened.
void WindowCommands::ReadArticle(int row) {
    if (!m_desktop.OpenWebPage(m_core.ReadStory(row)))
        QApplication::beep();
}

void WindowCommands::Find(const QString& text) {
    if (!m_core.FindStory(text))
        QApplication::beep();
}

void WindowCommands::RestoreWindow() {
    WindowRestore::Restore(m_window);
}

// Window-modal without blocking; the feed is added once the user says OK.
void WindowCommands::AddFeed() {
    auto* dialog = new AddFeedDialog(m_core.Providers().Categories(), m_contextCategory, &m_window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this,
            [this, dialog] { m_core.AddProviderByURL(dialog->Address(), dialog->Category()); });
    dialog->open();
}

void WindowCommands::ShowHelp() {
    m_desktop.ShowHelp(QStringLiteral("MainWindow"));
}

// The box belongs to the window, so the desktop keeps it above the window
// even when that stays on top of others.
void WindowCommands::ShowAbout() {
    const QString homePage = m_desktop.HomePage().toHtmlEscaped();
    const QString link = homePage.isEmpty()
                             ? QString()
                             : QStringLiteral("<p><a href=\"%1\">%1</a></p>").arg(homePage);
    QMessageBox::about(&m_window, QStringLiteral("About Varnocet"),
                       QStringLiteral("<p><b>Varnocet %1</b></p><p>A desktop headline reader.</p>")
                               .arg(ProgramVersionString()) +
                           link);
}

void WindowCommands::SendSelectedArticle() {
    const std::shared_ptr<Provider> provider = m_core.CurrentProvider();
    const int row = m_core.CurrentStory();
    if (provider == nullptr || row < 1)
        return;
    const QString title = provider->Stories->Item(row).Title;
    m_desktop.SendLinkViaEmail(provider->Stories->ItemURL(row), title, title);
}

// As text for editors and as a link for pages and mail.
void WindowCommands::CopyArticleURL() const {
    const QString url = m_core.StoryURL();
    if (url.isEmpty())
        return;
    auto* data = new QMimeData;
    data->setText(url);
    data->setHtml(QStringLiteral("<a href=\"%1\">%1</a>").arg(url.toHtmlEscaped()));
    data->setUrls({QUrl(url)});
    QApplication::clipboard()->setMimeData(data);
}

void WindowCommands::CopySiteURL() const {
    if (const std::shared_ptr<Provider> provider = ContextProvider())
        QApplication::clipboard()->setText(provider->SiteURL);
}

void WindowCommands::VisitSite() const {
    if (const std::shared_ptr<Provider> provider = ContextProvider())
        m_desktop.OpenWebPage(m_core.SiteToVisit(*provider));
}

// The provider node the menu was opened on, else the provider on show.
std::shared_ptr<Provider> WindowCommands::ContextProvider() const {
    const ProviderCollection& providers = m_core.Providers();
    const qsizetype index = providers.LocateProviderByUniqueID(m_contextProviderID);
    return index >= 1 ? providers.Item(index) : m_core.CurrentProvider();
}

void WindowCommands::ToggleView(bool Settings::*preference) {
    Settings& settings = m_core.ProgramSettings();
    settings.*preference = !(settings.*preference);
    m_core.ApplyPreferences();
    if (preference == &Settings::HighlightNewStories)
        m_core.RedrawStories();
}

void WindowCommands::FocusFindBox() {
    if (m_findBox != nullptr)
        m_findBox->setFocus();
}

void WindowCommands::ReloadSkin() {
    const Settings& settings = m_core.ProgramSettings();
    const QStringList messages =
        m_core.Skins().Rescan(settings.SkinDirectory, settings.CurrentSkin);
    if (messages.isEmpty())
        return;
    NoticeBox::Open(&m_window, QMessageBox::Warning, messages.join(QStringLiteral("\n\n")));
}
