#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QUrl>

#include <chrono>
#include <memory>

class BodyDecoder;
class QNetworkReply;

// One GET over the program's HTTP client, shaped like the request objects
// the fetch code was designed around: open, send, abort, a ready state, the
// status and the response. Unlike them it always ends: every request has a
// time limit and a cap on the body it accepts (after decompression), and
// either one failing completes the request as failed. So does an answer
// that did not arrive whole (cut short, or not decompressible) and a
// redirect the client refuses: a body is only ever handed on complete.
// While it runs, a request holds little more than the body it accepts.
class HttpRequest : public QObject {
    Q_OBJECT

public:
    enum ReadyStateValue { Unsent = 0, Opened = 1, Done = 4 };
    // The status of an answer that leaves out a body the asker has.
    static constexpr int NotModified = 304;

    struct Limits {
        std::chrono::milliseconds Timeout{60000};
        qint64 MaxBodyBytes = qint64(16) << 20;
    };

    explicit HttpRequest(Limits limits, QObject* parent = nullptr);
    explicit HttpRequest(QObject* parent = nullptr)
        : HttpRequest(Limits{}, parent) {}
    ~HttpRequest() override;

    HttpRequest(const HttpRequest&) = delete;
    HttpRequest& operator=(const HttpRequest&) = delete;

    // A GET of `url` (http, https or file). User name and password in the
    // URL are kept out of the request and given only when the server of
    // that very origin asks for them.
    void Open(const QString& url);
    void SetRequestHeader(const QByteArray& name, const QByteArray& value);
    // Lets the answer come from (and go to) the HTTP cache. Off by default.
    // Such an answer is decoded by the client, which misses a compressed
    // body cut short.
    void SetUseCache(bool useCache) { m_useCache = useCache; }
    void Send();
    // Ends the request without Finished; the state goes back to Unsent.
    void Abort();

    int ReadyState() const { return m_readyState; }
    // The HTTP status once Done; 200 for a file: URL that could be read; 0
    // when no whole answer came (network error, time limit, body too large,
    // transfer cut short, refused redirect).
    int Status() const { return m_status; }
    bool Succeeded() const { return Succeeded(m_status); }
    static bool Succeeded(int status) { return status >= 200 && status <= 299; }
    QByteArray ResponseBody() const { return m_body; }
    // The body as text, by the charset the server named.
    QString ResponseText() const;
    // The charset the server named in Content-Type; empty when none.
    QString ResponseCharset() const;
    QByteArray ResponseHeader(const QByteArray& name) const;
    // Where the answer came from: the address opened, after any redirects,
    // without user name and password. Empty before an answer.
    QUrl ResponseURL() const;
    // Why the request failed, in words that follow "<address>: "; empty
    // when it got an answer.
    QString ErrorString() const { return m_error; }
    // The request failed before any server answered it: the address could
    // not be looked up or connected to, or no answer came in time. Such
    // failures come and go with the network and say nothing of the address.
    bool Unreachable() const { return m_unreachable; }

Q_SIGNALS:
    // The request is Done, whatever the outcome.
    void Finished();

private:
    void RefuseDeclaredLength();
    void Collect();
    bool ArrivedWhole() const;
    void Complete();
    QString FailureReason(int status) const;
    void FailTooLarge();
    void Fail(const QString& reason, bool unreachable = false);
    void Release();

    Limits m_limits;
    QUrl m_url;
    QList<std::pair<QByteArray, QByteArray>> m_headers;
    bool m_useCache = false;
    QPointer<QNetworkReply> m_reply;
    QTimer m_deadline;
    int m_readyState = Unsent;
    int m_status = 0;
    QByteArray m_body;
    QByteArrayList m_pieces;
    // The bytes as they came, before decoding.
    qint64 m_received = 0;
    std::unique_ptr<BodyDecoder> m_decoder;
    QString m_error;
    bool m_unreachable = false;
};
