#pragma once

#include <QByteArray>
#include <QHash>
#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QObject>
#include <QString>
#include <QTcpServer>
#include <QUrl>

#include <functional>

class QTcpSocket;

// A small HTTP/1.1 server on 127.0.0.1 for tests: each path answers as the
// test sets it up, every request is recorded, and every connection closes
// after its answer. Delays run on timers, so a slow or silent server costs
// a test no sleeping. A header the test sets (Content-Length, say) is sent
// as it is, even when it does not match the body.
class TestHttpServer : public QObject {
    Q_OBJECT

public:
    struct Response {
        int Status = 200;
        QByteArray Body{};
        QMap<QByteArray, QByteArray> Headers{};
        int DelayMs = 0;          // answer after this long
        bool NeverAnswer = false; // accept and read, then stay silent
        bool Gzip = false;        // send the body gzip-compressed
        bool Chunked = false;     // send the body in chunks, its length unsaid
        // Close the connection half way through the body: short of the
        // Content-Length, or before the chunked body's end.
        bool CutShort = false;
        // Send the answer this many bytes at a time, each once the one
        // before has left, as a slow server does.
        qsizetype DripBytes = 0;
        // Send this many bytes of generated text instead of Body, made as the
        // client takes them so that the server never holds them all.
        qint64 GeneratedBytes = 0;
    };

    struct Request {
        QByteArray Method;
        QByteArray Path;
        QHash<QByteArray, QByteArray> Headers; // names in lower case
    };

    using Handler = std::function<Response(const Request&)>;

    enum class Wrapper { Gzip, Zlib, None };
    // `data` deflated, wrapped as for Content-Encoding gzip (Gzip) or
    // deflate (Zlib, or None as many servers send it).
    static QByteArray Compress(const QByteArray& data, Wrapper wrapper);
    // An answer described in a case table: the fields of Response by their
    // names in camel case ("status", "body", "headers", "cutShort", ...),
    // the body repeated "repeat" times when given.
    static Response FromJson(const QJsonObject& answer);

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
    void Answer(QTcpSocket* socket, const QByteArray& head);
    static void Stream(QTcpSocket* socket, const Response& response);

    QTcpServer m_server;
    QHash<QByteArray, Handler> m_handlers;
    QList<Request> m_requests;
};
