#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QMap>
#include <QObject>
#include <QString>
#include <QTcpServer>
#include <QUrl>

#include <functional>

// A small HTTP/1.1 server on 127.0.0.1 for tests: each path answers as the
// test sets it up, every request is recorded, and every connection closes
// after its answer. Delays run on timers, so a slow or silent server costs
// a test no sleeping.
class TestHttpServer : public QObject {
    Q_OBJECT

public:
    struct Response {
        int Status = 200;
        QByteArray Body;
        QMap<QByteArray, QByteArray> Headers;
        int DelayMs = 0;          // answer after this long
        bool NeverAnswer = false; // accept and read, then stay silent
        bool Gzip = false;        // send the body gzip-compressed
    };

    struct Request {
        QByteArray Method;
        QByteArray Path;
        QHash<QByteArray, QByteArray> Headers; // names in lower case
    };

    using Handler = std::function<Response(const Request&)>;

    explicit TestHttpServer(QObject* parent = nullptr);

    // The address of `path` on this server ("http://127.0.0.1:port/path").
    QUrl Url(const QString& path) const;

    void Serve(const QByteArray& path, const Response& response);
    void Serve(const QByteArray& path, Handler handler);
    // A 200 with `body`.
    void Serve(const QByteArray& path, const QByteArray& body,
               const QByteArray& contentType = "application/xml");
    // A redirect with `status` to `location`.
    void Redirect(const QByteArray& path, const QByteArray& location, int status = 301);

    const QList<Request>& Requests() const { return m_requests; }
    int RequestCount(const QByteArray& path) const;

private:
    void Accept();
    void Answer(class QTcpSocket* socket, const QByteArray& head);

    QTcpServer m_server;
    QHash<QByteArray, Handler> m_handlers;
    QList<Request> m_requests;
};
