#include "ui/WindowCommands.h"

#include "config/ProgramVersion.h"
#include "feeds/Languages.h"
#include "model/CategoryCollection.h"
#include "model/Provider.h"
#include "model/ProviderCollection.h"
#include "model/StoryCollection.h"
#include "platform/WindowMessage.h"
#include "retrieval/AutoFlip.h"
#include "retrieval/RefreshScheduler.h"
#include "ui/ArticleGrid.h"
#include "ui/CommandBar.h"
#include "ui/FeedTree.h"
#include "ui/MainForm.h"
#include "ui/MainLayout.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>

// The user-busy flag holds the timers while a command runs.
void WindowCommands::OnCommand(const QString& key) {
    m_form.Flags().UserBusy = true;
    if (key == u"EXIT")
        m_form.close();
    else if (key == u"HELP")
        m_form.Desktop().ShowHelp(QStringLiteral("MainWindow"));
    else if (key == u"ABOUT")
        ShowAbout();
    else if (key == u"MAIL")
        SendSelectedArticle();
    else if (key == u"PREVIOUS")
        ToPreviousArticle();
    else if (key == u"NEXT")
        m_form.Flip().ToNextArticle();
    else if (key == u"PREVIOUSCATEGORY")
        WindowMessage::Post(&m_form, WindowMessage::WM_PREVIOUS_PROVIDER);
    else if (key == u"NEXTCATEGORY")
        WindowMessage::Post(&m_form, WindowMessage::WM_NEXT_PROVIDER);
    else if (const int row = CommandBar::ArticleRowOf(key, m_form.Layout().Grid().SelectedRow(),
                                                      m_form.Layout().Grid().RowCount());
             row > 0) {
        m_form.Layout().Grid().SelectRow(row);
        WindowMessage::Post(&m_form, WindowMessage::WM_SELECT_ARTICLE);
    } else if (m_form.Flip().Command(key)) {
        m_form.ProgramSettings().AutoFlip = m_form.Scheduling().AutoFlip;
        m_form.ProgramSettings().FlipInterval = m_form.Scheduling().FlipInterval;
        m_form.ProgramSettings().FlipProviders = m_form.Scheduling().FlipProviders;
    }
    m_form.Flags().UserBusy = false;
}

void WindowCommands::OnContextItem(const QString& item) {
    const std::shared_ptr<Provider> provider = m_form.CurrentProvider();
    if (item == u"mnuContextVarnocet")
        m_form.RestoreWindow();
    else if (item == u"mnuContextCopyArticleURL")
        CopyArticleURL();
    else if (item == u"mnuContextCopySiteURL" && provider != nullptr)
        QApplication::clipboard()->setText(provider->SiteURL);
    else if (item == u"mnuContextVisit" && provider != nullptr)
        m_form.Desktop().OpenWebPage(
            Languages::TranslationURL(provider->Language, 1, provider->SiteURL));
    else if (item == u"mnuContextReadArticle")
        emit m_form.Layout().Grid().ArticleActivated(m_form.Layout().Grid().SelectedRow());
    else if (item == u"mnuContextMakeCategoryInactive")
        MakeCategoryInactive();
    else if (item == u"mnuContextMakeProviderInactive")
        MakeProviderInactive();
    else if (item == u"mnuContextMinimize")
        m_form.showMinimized();
    else if (item == u"mnuContextAbout")
        ShowAbout();
    else if (item == u"mnuContextHelp")
        m_form.Desktop().ShowHelp(QStringLiteral("MainWindow"));
    else if (item == u"mnuContextExit")
        m_form.close();
    else
        ToggleView(item);
}

// As text for editors and as a link for pages and mail.
void WindowCommands::CopyArticleURL() const {
    const QString url = m_form.Layout().Grid().CurrentStoryURL();
    if (url.isEmpty())
        return;
    auto* data = new QMimeData;
    data->setText(url);
    data->setHtml(QStringLiteral("<a href=\"%1\">%1</a>").arg(url.toHtmlEscaped()));
    data->setUrls({QUrl(url)});
    QApplication::clipboard()->setMimeData(data);
}

void WindowCommands::MakeCategoryInactive() {
    CategoryCollection& categories = m_form.Providers().Categories();
    const qsizetype position = categories.LocateCategory(m_form.ContextCategory());
    if (position < 1)
        return;
    categories.Item(position)->Active = false;
    categories.ComputeVisibility();
    m_form.FillFeedTree();
}

void WindowCommands::MakeProviderInactive() {
    const std::shared_ptr<Provider> provider = m_form.CurrentProvider();
    if (provider == nullptr)
        return;
    provider->Active = false;
    m_form.FillFeedTree();
    const qsizetype next =
        m_form.Scheduler().NextBackgroundIndex(m_form.CurrentProviderIndex(), false);
    if (next != m_form.CurrentProviderIndex())
        m_form.ShowProvider(next);
}

void WindowCommands::ToggleView(const QString& item) {
    Settings& settings = m_form.ProgramSettings();
    const QHash<QString, bool*> views = {
        {QStringLiteral("mnuContextHighlightNewStories"), &settings.HighlightNewStories},
        {QStringLiteral("mnuContextViewActiveProvider"), &settings.ShowActiveProvidersList},
        {QStringLiteral("mnuContextViewProviderImage"), &settings.ShowActiveProviderImage},
        {QStringLiteral("mnuContextViewButtons"), &settings.ShowHeadlineBrowser},
        {QStringLiteral("mnuContextOnTop"), &settings.OnTop},
        {QStringLiteral("mnuContextViewBrowser"), &settings.ShowBrowser},
    };
    bool* flag = views.value(item);
    if (flag == nullptr)
        return;
    *flag = !*flag;
    m_form.ApplyPreferences();
    m_form.show();
    WindowMessage::Post(&m_form, WindowMessage::WM_PROVIDER_LOADED);
}

void WindowCommands::SendSelectedArticle() {
    const std::shared_ptr<Provider> provider = m_form.CurrentProvider();
    const int row = m_form.Layout().Grid().SelectedRow();
    if (provider == nullptr || provider->stCollStories == nullptr || row < 1 ||
        row > provider->stCollStories->Count())
        return;
    const StoryCollection& stories = *provider->stCollStories;
    const QString title = stories.Item(row).Title;
    m_form.Desktop().SendLinkViaEmail(stories.ItemURL(row), title, title);
}

// While the about window is up the main window is not kept on top of it.
void WindowCommands::ShowAbout() {
    const bool onTop = m_form.windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    m_form.setWindowFlag(Qt::WindowStaysOnTopHint, false);
    QMessageBox::about(&m_form, QStringLiteral("About Varnocet"),
                       QStringLiteral("<p><b>Varnocet %1</b></p><p>A desktop headline reader.</p>"
                                      "<p><a href=\"%2\">%2</a></p>")
                           .arg(ProgramVersionString(), DesktopActions::HomePage));
    m_form.setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    m_form.show();
}

bool WindowCommands::HandleKey(const QKeyEvent& key) {
    const Qt::KeyboardModifiers held =
        key.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (held == Qt::NoModifier && key.key() == Qt::Key_F1)
        m_form.Desktop().ShowHelp(QStringLiteral("MainWindow"));
    else if (held == Qt::NoModifier && key.key() == Qt::Key_F5)
        m_form.Scheduler().ReloadCurrentProvider();
    else if (key.key() == Qt::Key_Escape)
        m_form.showMinimized();
    else if (held & (Qt::ControlModifier | Qt::AltModifier))
        return false;
    else if (key.text() == u"<" || key.text() == u",")
        m_form.Flip().PreviousProvider();
    else if (key.text() == u">" || key.text() == u".")
        m_form.Flip().NextProvider();
    else if (key.text() == u"/" || key.text() == u"?")
        m_form.Commands().FindBox().setFocus();
    else
        return false;
    return true;
}

void WindowCommands::ToPreviousArticle() {
    const int row = m_form.Layout().Grid().SelectedRow();
    if (row <= 1) {
        m_form.Flip().PreviousProvider();
        return;
    }
    m_form.Layout().Grid().SelectRow(row - 1);
    m_form.ShowArticle(row - 1);
}

void WindowCommands::FindStory(const QString& text) {
    const qsizetype count = m_form.Providers().Count();
    const qsizetype start = m_form.CurrentProviderIndex();
    if (text.isEmpty() || count == 0 || start == 0) {
        QApplication::beep();
        return;
    }
    for (qsizetype step = 0; step < count; ++step) {
        const qsizetype index = (start - 1 + step) % count + 1;
        const Provider& provider = *m_form.Providers().Item(index);
        if (provider.stCollStories == nullptr || (step > 0 && !provider.Active))
            continue;
        const qsizetype after =
            step == 0 ? qsizetype(m_form.Layout().Grid().SelectedRow()) : qsizetype(0);
        const qsizetype found = provider.FindArticle(after, true, text);
        if (found < 1)
            continue;
        if (step > 0)
            m_form.ShowProvider(index);
        m_form.Layout().Grid().SelectRow(found);
        m_form.ShowArticle(found);
        return;
    }
    QApplication::beep();
}
