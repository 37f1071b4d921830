#include "core/AddProviderRequest.h"

#include <QUrl>

namespace {

QString BadlyFormed(int code) {
    return QStringLiteral("Badly formed HTTP request - Code %1.").arg(code);
}

} // namespace

// Only the request line is judged: the path and query end at the blank
// before the protocol version.
AddProviderRequest::Judgement AddProviderRequest::Judge(const QString& requestLine) {
    if (!requestLine.startsWith(QLatin1String("GET ")))
        return {{}, UnknownBody()};
    const qsizetype slash = requestLine.indexOf(u'/');
    const qsizetype question = slash < 0 ? -1 : requestLine.indexOf(u'?', slash);
    const qsizetype blank = question < 0 ? -1 : requestLine.indexOf(u' ', question);
    if (blank < 0)
        return {{}, BadlyFormed(2)};
    const QString command = requestLine.mid(slash + 1, question - slash - 1);
    const QString query = requestLine.mid(question + 1, blank - question - 1);
    if (command.isEmpty() || query.isEmpty())
        return {{}, BadlyFormed(1)};
    if (command == u"add_provider") {
        if (!query.startsWith(QLatin1String("url=")))
            return {{}, BadlyFormed(4)};
        const QString url = DataURL(query.mid(4));
        // An empty address is no add; it is refused as any other that is not
        // a web address.
        return {url, url.isEmpty() ? UnknownBody() : QString()};
    }
    if (command == u"0")
        return {{}, BadlyFormed(3)};
    return {{}, UnknownBody()};
}

QString AddProviderRequest::DataURL(const QString& address) {
    if (address.startsWith(QLatin1String("http%3A"), Qt::CaseInsensitive) ||
        address.startsWith(QLatin1String("https%3A"), Qt::CaseInsensitive))
        return QUrl::fromPercentEncoding(address.toUtf8());
    return address;
}

QString AddProviderRequest::AddedBody(const QString& name, const QString& category) {
    return QStringLiteral("Added provider <B>") + name.toHtmlEscaped() +
           QStringLiteral("</B> to Varnocet category <B>") + category.toHtmlEscaped() +
           QStringLiteral("</B>.");
}

QString AddProviderRequest::KnownBody(const QString& name, const QString& category) {
    return QStringLiteral("Provider <B>") + name.toHtmlEscaped() +
           QStringLiteral("</B> is already in Varnocet category <B>") + category.toHtmlEscaped() +
           QStringLiteral("</B>.");
}

QString AddProviderRequest::NotAddedBody(const QString& url, const QString& reason) {
    return QStringLiteral("Provider <B>") + url.toHtmlEscaped() +
           QStringLiteral("</B> was not added to Varnocet: ") + reason.toHtmlEscaped();
}

QString AddProviderRequest::UnknownBody() {
    return QStringLiteral("Unknown request");
}

// The page's lines end in a lone carriage return; the head before it is what
// today's browsers need to show the page at all.
QByteArray AddProviderRequest::Answer(const QString& body) {
    const QString page = QStringLiteral("<HTML>\r<HEAD>\r</HEAD>\r<BODY>\r") + body +
                         QStringLiteral("</BODY>\r</HTML>\r");
    return QByteArrayLiteral("HTTP/1.0 200 OK\r\n"
                             "Content-Type: text/html; charset=utf-8\r\n"
                             "Connection: close\r\n"
                             "\r\n") +
           page.toUtf8();
}
