#include "ui/DesktopActions.h"

#include "feeds/UrlEncoding.h"
#include "platform/KnownFolders.h"
#include "platform/LinkPolicy.h"
#include "platform/MessageBox.h"
#include "platform/OutsideAddresses.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

DesktopActions::Pages DesktopActions::DefaultPages() {
    return {QDir(KnownFolders::DataFolder()).filePath(QStringLiteral("help/index.html")),
            OutsideAddresses::HomePage()};
}

DesktopActions::DesktopActions(Opener opener, Pages pages)
    : m_open(opener ? std::move(opener) : Opener(&QDesktopServices::openUrl))
    , m_pages(std::move(pages)) {}

bool DesktopActions::OpenWebPage(const QString& url) const {
    const std::optional<QUrl> page = LinkPolicy::WebAddress(url);
    return page && m_open(*page);
}

void DesktopActions::SendLinkViaEmail(const QString& url, const QString& subject,
                                      const QString& title) const {
    m_open(MailLink(url, subject, title));
}

bool DesktopActions::WriteTo(const QString& address) const {
    static const QRegularExpression plain(QStringLiteral("^[^@\\s?&#/:<>\"]+@[^@\\s?&#/:<>\"]+$"));
    const QString trimmed = address.trimmed();
    if (!plain.match(trimmed).hasMatch())
        return false;
    QUrl mail;
    mail.setScheme(QStringLiteral("mailto"));
    mail.setPath(trimmed);
    return m_open(mail);
}

bool DesktopActions::ShowHelp(const QString& topic) const {
    const QString file = QDir::toNativeSeparators(m_pages.HelpFile);
    if (!QFileInfo(m_pages.HelpFile).isFile()) {
        MessageBox::Show(QStringLiteral("The help is not installed: %1 is missing.\r\n\r\n"
                                        "Installing the program again brings it back.")
                             .arg(file));
        return false;
    }
    QUrl page = QUrl::fromLocalFile(QFileInfo(m_pages.HelpFile).absoluteFilePath());
    page.setFragment(topic);
    if (m_open(page))
        return true;
    MessageBox::Show(
        QStringLiteral("No program on this desktop opens the help page %1.").arg(file));
    return false;
}

QUrl DesktopActions::MailLink(const QString& url, const QString& subject,
                              const QString& title) const {
    const QString lineBreak = QStringLiteral("\r\n");
    QString body = lineBreak + url + lineBreak + lineBreak + title + lineBreak + lineBreak +
                   lineBreak + QStringLiteral("-----") + lineBreak +
                   QStringLiteral("Found using Varnocet");
    if (!m_pages.HomePage.isEmpty())
        body += lineBreak + u'(' + m_pages.HomePage + u')';
    return QUrl(QStringLiteral("mailto:?subject=") + UrlEncoding::URLEncode(subject, false) +
                    QStringLiteral("&body=") + UrlEncoding::URLEncode(body, false),
                QUrl::StrictMode);
}
