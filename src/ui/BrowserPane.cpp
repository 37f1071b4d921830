#include "ui/BrowserPane.h"
#include "platform/LinkPolicy.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

#ifdef VARNOCET_HAVE_WEBENGINE
#include <QWebEnginePage>
#include <QWebEngineView>

#include <functional>
#else
#include <QTextBrowser>
#include <QTextDocument>
#endif

namespace {

const QString ArticlePrefix = QStringLiteral("Article: ");
const QString LoadedState = QStringLiteral("Done");
const QString PopupsBlocked = QStringLiteral("Popup windows blocked on this page!");
const QString PopupsHint = QStringLiteral("Hold down Ctrl to allow Popups");
constexpr int PopupNoticeMs = 6000;

QUrl BlankPage() {
    return QUrl(QStringLiteral("about:blank"));
}

#ifdef VARNOCET_HAVE_WEBENGINE
// A page that opens a window for a script only when the pane agrees; an
// agreed pop-up gets a plain window of its own, whose page opens none.
class PopupGuardPage : public QWebEnginePage {
public:
    PopupGuardPage(std::function<bool()> allow, QObject* parent)
        : QWebEnginePage(parent)
        , m_allow(std::move(allow)) {}

protected:
    QWebEnginePage* createWindow(WebWindowType) override {
        if (!m_allow())
            return nullptr;
        auto* window = new QWebEngineView;
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->resize(800, 600);
        window->show();
        return window->page();
    }

private:
    std::function<bool()> m_allow;
};
#endif

} // namespace

BrowserPane::BrowserPane(QWidget* parent)
    : QWidget(parent)
    , m_browserCaption(new QLabel(ArticlePrefix, this))
    , m_popup(new QLabel(PopupsBlocked, this))
    , m_tmrPopup(new QTimer(this))
    , m_headlineBrowser(new View(this)) {
    m_browserCaption->setObjectName(QStringLiteral("labBrowser"));
    m_popup->setObjectName(QStringLiteral("labPopup"));
    m_tmrPopup->setObjectName(QStringLiteral("tmrPopup"));
    m_headlineBrowser->setObjectName(QStringLiteral("HeadlineBrowser"));
    m_popup->hide();
    m_tmrPopup->setInterval(PopupNoticeMs);
    connect(m_tmrPopup, &QTimer::timeout, this, &BrowserPane::PopupTimerTick);

    auto* labels = new QHBoxLayout;
    labels->addWidget(m_browserCaption, 1);
    labels->addWidget(m_popup);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addLayout(labels);
    layout->addWidget(m_headlineBrowser, 1);
    ConnectView();
}

bool BrowserPane::ShowArticle(const QString& url, const QString& title) {
    const std::optional<QUrl> address = LinkPolicy::WebAddress(url);
    if (!address) {
        QApplication::beep();
        return false;
    }
    Load(*address, title);
    return true;
}

void BrowserPane::ShowBlank() {
    Load(BlankPage(), QString());
}

bool BrowserPane::AllowPopup(Qt::KeyboardModifiers modifiers) {
    if (modifiers.testFlag(Qt::ControlModifier))
        return true;
    m_popup->setText(PopupsBlocked);
    m_popup->show();
    QApplication::beep();
    m_tmrPopup->start();
    return false;
}

void BrowserPane::PopupTimerTick() {
    if (m_popup->text() == PopupsBlocked) {
        m_popup->setText(PopupsHint);
        return;
    }
    m_popup->setText(PopupsBlocked);
    m_tmrPopup->stop();
}

// The blocked notice speaks of the page it was raised on, so a new page
// starts without it.
void BrowserPane::Load(const QUrl& url, const QString& title) {
    m_title = title;
    m_tmrPopup->stop();
    m_popup->hide();
    LoadStarted();
    Navigate(url);
}

void BrowserPane::LoadStarted() {
    m_browserCaption->setText(ArticlePrefix + m_title);
}

void BrowserPane::LoadFinished(bool loaded) {
    m_browserCaption->setText(ArticlePrefix + LoadedState);
    if (loaded)
        emit PageLoaded();
}

#ifdef VARNOCET_HAVE_WEBENGINE

void BrowserPane::ConnectView() {
    m_headlineBrowser->setPage(
        new PopupGuardPage([this] { return AllowPopup(QGuiApplication::queryKeyboardModifiers()); },
                           m_headlineBrowser));
    // A load replaced by the next one finishes too, before the next starts.
    connect(m_headlineBrowser, &QWebEngineView::loadStarted, this, &BrowserPane::LoadStarted);
    connect(m_headlineBrowser, &QWebEngineView::loadFinished, this, &BrowserPane::LoadFinished);
}

void BrowserPane::Navigate(const QUrl& url) {
    m_headlineBrowser->setUrl(url);
}

QUrl BrowserPane::Url() const {
    return m_headlineBrowser->url();
}

#else

void BrowserPane::ConnectView() {
    m_headlineBrowser->setOpenExternalLinks(true);
}

// No engine to render the page: the link, to open in the desktop's browser.
void BrowserPane::Navigate(const QUrl& url) {
    if (url == BlankPage()) {
        m_headlineBrowser->clear();
    } else {
        const QString link = url.toString().toHtmlEscaped();
        m_headlineBrowser->setHtml(
            QStringLiteral("<p><a href=\"%1\">%1</a></p><p>The article opens in your web "
                           "browser.</p>")
                .arg(link));
    }
    m_headlineBrowser->document()->setMetaInformation(QTextDocument::DocumentUrl, url.toString());
    // Finished as a page load is, once the caller has returned.
    QTimer::singleShot(0, this, [this] { LoadFinished(true); });
}

QUrl BrowserPane::Url() const {
    return QUrl(m_headlineBrowser->document()->metaInformation(QTextDocument::DocumentUrl));
}

#endif
