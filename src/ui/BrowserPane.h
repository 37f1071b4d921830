#pragma once

#include <QString>
#include <QUrl>
#include <QWidget>

class QLabel;
class QTimer;
#ifdef VARNOCET_HAVE_WEBENGINE
class QWebEngineView;
#else
class QTextBrowser;
#endif

// The headline browser: the selected article in an embedded web view, with
// "Article: " and the load state above it and a notice when the page was
// refused a pop-up window. Without a web engine the pane shows the link
// itself, to be opened in the desktop's browser.
class BrowserPane : public QWidget {
    Q_OBJECT

public:
    explicit BrowserPane(QWidget* parent = nullptr);

    // Shows the article at url under title. Only web addresses are
    // followed: any other link is refused with a beep, the pane keeps what
    // it showed, and the answer is false.
    bool ShowArticle(const QString& url, const QString& title);
    // Empties the pane ("about:blank").
    void ShowBlank();
    // The address the pane shows or is loading.
    QUrl Url() const;

    // Asked when the page wants a new window: with Ctrl held it may open;
    // otherwise it is refused with a beep and the blocked notice.
    bool AllowPopup(Qt::KeyboardModifiers modifiers);
    // The pop-up timer's tick: the notice first says how to let pop-ups
    // through, then goes back to the blocked text and the timer stops.
    void PopupTimerTick();

signals:
    // A page came in whole; one that a newer load cut short does not.
    void PageLoaded();

private:
#ifdef VARNOCET_HAVE_WEBENGINE
    using View = QWebEngineView;
#else
    using View = QTextBrowser;
#endif

    void ConnectView();
    void Load(const QUrl& url, const QString& title);
    void Navigate(const QUrl& url);
    void LoadStarted();
    void LoadFinished(bool loaded);

    QLabel* m_browserCaption;
    QLabel* m_popup;
    QTimer* m_tmrPopup;
    View* m_headlineBrowser;
    QString m_title;
};
