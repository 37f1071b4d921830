#pragma once

#include <QByteArray>
#include <QString>

class HttpRequest;
class XmlDocument;

// Whether what a finished request brought may be read as a feed, and if
// not, why: the words follow "<address>: " or a provider's name. A web page
// is told by its markup, not by its Content-Type, which servers often get
// wrong for feeds.
namespace FeedAnswer {

// Empty when the answer may be a feed (or is "not modified"); otherwise the
// request's failure, the error status, or that the answer is a web page.
QString Refusal(const HttpRequest& request);
// For an answer that was parsed: a web page that showed itself only then,
// by its root element, or by not parsing when its server called it one.
QString Refusal(const HttpRequest& request, const XmlDocument& document);

bool StartsAsWebPage(const QByteArray& body);

} // namespace FeedAnswer
