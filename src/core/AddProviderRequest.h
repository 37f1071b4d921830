#pragma once

#include <QByteArray>
#include <QString>

// The one request a web page sends to the local listener to subscribe the
// user to a feed ("GET /add_provider?url=<address> HTTP/1.1"), and the bare
// page that answers it.
class AddProviderRequest {
public:
    // What a request line asks for: an address to add, or nothing, with the
    // text that says why.
    struct Judgement {
        // The feed's address; empty unless the line asks for an add.
        QString url;
        // The answer's text for a line that asks for no add.
        QString body;
    };

    static Judgement Judge(const QString& requestLine);
    // The address of the query as a page wrote it; one percent-encoded as a
    // whole, as pages build such links, is decoded once.
    static QString DataURL(const QString& address);

    static QString AddedBody(const QString& name, const QString& category);
    static QString KnownBody(const QString& name, const QString& category);
    // `reason` is a sentence for the user.
    static QString NotAddedBody(const QString& url, const QString& reason);
    static QString UnknownBody();
    // The whole answer: an HTTP/1.0 head and the page around `body`.
    static QByteArray Answer(const QString& body);
};
