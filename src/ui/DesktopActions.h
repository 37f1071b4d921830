#pragma once

#include <QString>
#include <QUrl>

#include <functional>

// What the program hands to the desktop: pages to the web browser, mail to
// the mail program, the help pages. Addresses that come from feeds are only
// ever web pages.
class DesktopActions {
public:
    // Opens an address with the desktop's handler for it.
    using Opener = std::function<bool(const QUrl&)>;

    // The program's own pages. Tests put their own.
    struct Pages {
        // The help that is installed with the program; one section per topic.
        QString HelpFile;
        // Empty when the build or the environment names none.
        QString HomePage;
    };

    // The installed help and the home page of OutsideAddresses.
    static Pages DefaultPages();

    // The desktop's own opener unless another is given (tests record).
    explicit DesktopActions(Opener opener = {}, Pages pages = DefaultPages());

    // Opens a page from feed data; anything but an http(s) address is
    // refused (false) and nothing is opened.
    bool OpenWebPage(const QString& url) const;
    // A new mail with the article's title as subject and its link in the
    // body, both encoded so that "&", "#" or non-ASCII text survive.
    void SendLinkViaEmail(const QString& url, const QString& subject, const QString& title) const;
    // A new mail to `address` (a skin's author, say). Anything that is not a
    // plain mail address is refused (false), so a file cannot slip a subject
    // or a body into the mail.
    bool WriteTo(const QString& address) const;
    // Opens the help at the section of `topic` ("MainWindow"). When the help
    // is missing or nothing opens it, the user is told so and it is false.
    bool ShowHelp(const QString& topic) const;

    const QString& HomePage() const { return m_pages.HomePage; }
    QUrl MailLink(const QString& url, const QString& subject, const QString& title) const;

private:
    Opener m_open;
    Pages m_pages;
};
