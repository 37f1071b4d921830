#include "ui/DesktopActions.h"

#include "feeds/UrlEncoding.h"
#include "ui/LinkPolicy.h"

#include <QDesktopServices>

DesktopActions::DesktopActions(Opener opener)
    : m_open(opener ? std::move(opener) : Opener(&QDesktopServices::openUrl)) {}

bool DesktopActions::OpenWebPage(const QString& url) const {
    const std::optional<QUrl> page = LinkPolicy::WebAddress(url);
    return page && m_open(*page);
}

void DesktopActions::SendLinkViaEmail(const QString& url, const QString& subject,
                                      const QString& title) const {
    m_open(MailLink(url, subject, title));
}

void DesktopActions::ShowHelp(const QString& topic) const {
    m_open(QUrl(HelpPage + u'#' + topic));
}

QUrl DesktopActions::MailLink(const QString& url, const QString& subject, const QString& title) {
    const QString lineBreak = QStringLiteral("\r\n");
    const QString body = lineBreak + url + lineBreak + lineBreak + title + lineBreak + lineBreak +
                         lineBreak + QStringLiteral("-----") + lineBreak +
                         QStringLiteral("Found using Varnocet") + lineBreak + u'(' + HomePage +
                         u')';
    return QUrl(QStringLiteral("mailto:?subject=") + UrlEncoding::URLEncode(subject, false) +
                    QStringLiteral("&body=") + UrlEncoding::URLEncode(body, false),
                QUrl::StrictMode);
}
