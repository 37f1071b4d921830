#pragma once

#include <QString>
#include <QUrl>

#include <functional>

// What the program hands to the desktop: pages to the web browser, mail to
// the mail program, the help page. Addresses that come from feeds are only
// ever web pages.
class DesktopActions {
public:
    // Opens an address with the desktop's handler for it.
    using Opener = std::function<bool(const QUrl&)>;

    static inline const QString HomePage = QStringLiteral("https://varnocet.org/");
    static inline const QString HelpPage = QStringLiteral("https://varnocet.org/help.html");

    // The desktop's own opener unless another is given (tests record).
    explicit DesktopActions(Opener opener = {});

    // Opens a page from feed data; anything but an http(s) address is
    // refused (false) and nothing is opened.
    bool OpenWebPage(const QString& url) const;
    // A new mail with the article's title as subject and its link in the
    // body, both encoded so that "&", "#" or non-ASCII text survive.
    void SendLinkViaEmail(const QString& url, const QString& subject, const QString& title) const;
    void ShowHelp(const QString& topic) const;

    static QUrl MailLink(const QString& url, const QString& subject, const QString& title);

private:
    Opener m_open;
};
