#include "retrieval/FeedAnswer.h"

#include "feeds/FeedFormat.h"
#include "feeds/FeedIntake.h"
#include "platform/XmlDocument.h"
#include "retrieval/HttpRequest.h"

namespace {

QString WebPage() {
    return QStringLiteral("the address gave a web page, not a feed");
}

// The markup after a byte-order mark, blanks and an XML declaration.
QByteArray Opening(const QByteArray& body) {
    QByteArray start = body.left(512);
    if (start.startsWith("\xEF\xBB\xBF"))
        start.remove(0, 3);
    start = start.trimmed();
    if (start.startsWith("<?xml")) {
        const qsizetype end = start.indexOf("?>");
        start = end < 0 ? QByteArray() : start.mid(end + 2).trimmed();
    }
    return start.left(15).toLower();
}

bool IsWebPageType(const QByteArray& contentType) {
    return contentType.split(';').constFirst().trimmed().toLower() == "text/html";
}

} // namespace

namespace FeedAnswer {

QString Refusal(const HttpRequest& request) {
    if (!request.ErrorString().isEmpty())
        return request.ErrorString();
    if (request.Status() == HttpRequest::NotModified)
        return {};
    if (!request.Succeeded())
        return QStringLiteral("the server answered with status %1").arg(request.Status());
    if (StartsAsWebPage(request.ResponseBody()))
        return WebPage();
    return {};
}

QString Refusal(const HttpRequest& request, const XmlDocument& document) {
    const XmlNode root = document.DocumentElement();
    if (!root.IsNull() && root.BaseName().compare(QLatin1String("html"), Qt::CaseInsensitive) == 0)
        return WebPage();
    // What a recovering parse makes of a page's fragments is no feed either.
    const bool feed = !root.IsNull() && FeedIntake::GetFeedFormat(root) != FeedFormat::Unknown;
    return !feed && IsWebPageType(request.ResponseHeader("Content-Type")) ? WebPage() : QString();
}

bool StartsAsWebPage(const QByteArray& body) {
    const QByteArray opening = Opening(body);
    if (opening.startsWith("<!doctype html"))
        return true;
    return opening.startsWith("<html") &&
           (opening.size() == 5 || opening[5] == '>' || QChar::isSpace(opening[5]));
}

} // namespace FeedAnswer
