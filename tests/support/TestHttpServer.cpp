#include "TestHttpServer.h"

#include <QTcpSocket>
#include <QTimer>

#include <algorithm>
#include <memory>

#include <zlib.h>

namespace {

TestHttpServer::Request ParseHead(const QByteArray& head) {
    TestHttpServer::Request request;
    const QList<QByteArray> lines = head.split('\n');
    const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
    request.Method = requestLine.value(0);
    request.Path = requestLine.value(1);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype colon = lines[i].indexOf(':');
        if (colon > 0)
            request.Headers.insert(lines[i].left(colon).trimmed().toLower(),
                                   lines[i].mid(colon + 1).trimmed());
    }
    return request;
}

// The head of the answer; the body's length is said unless it goes in
// chunks or the test set it.
QByteArray Head(const TestHttpServer::Response& response, qint64 bodyLength) {
    // The reason phrase may be left empty, and nothing reads it.
    QByteArray out = "HTTP/1.1 " + QByteArray::number(response.Status) + " \r\n";
    QMap<QByteArray, QByteArray> headers = response.Headers;
    if (response.Gzip)
        headers.insert("Content-Encoding", "gzip");
    if (response.Chunked)
        headers.insert("Transfer-Encoding", "chunked");
    else if (!headers.contains("Content-Length"))
        headers.insert("Content-Length", QByteArray::number(bodyLength));
    headers.insert("Connection", "close");
    for (auto it = headers.cbegin(); it != headers.cend(); ++it)
        out += it.key() + ": " + it.value() + "\r\n";
    return out + "\r\n";
}

QByteArray Chunk(const QByteArray& data) {
    return QByteArray::number(data.size(), 16) + "\r\n" + data + "\r\n";
}

const QByteArray LastChunk = "0\r\n\r\n";

QByteArray Serialise(const TestHttpServer::Response& response) {
    const QByteArray body =
        response.Gzip ? TestHttpServer::Compress(response.Body, TestHttpServer::Wrapper::Gzip)
                      : response.Body;
    QByteArray wire = response.Chunked ? Chunk(body) + LastChunk : body;
    if (response.CutShort)
        wire.truncate(wire.size() / 2);
    return Head(response, body.size()) + wire;
}

// Generated text is written while the socket holds less than this, so the
// server's memory stays small however long the answer.
constexpr qint64 StreamWindow = 64 * 1024;

// Writes `bytes` a piece at a time, then closes the connection.
void Drip(QTcpSocket* socket, const QByteArray& bytes, qsizetype pieceBytes) {
    auto sent = std::make_shared<qsizetype>(0);
    const auto next = [socket, bytes, pieceBytes, sent] {
        if (*sent >= bytes.size())
            return;
        socket->write(bytes.mid(*sent, pieceBytes));
        *sent += pieceBytes;
        if (*sent >= bytes.size())
            socket->disconnectFromHost();
    };
    QObject::connect(socket, &QTcpSocket::bytesWritten, socket, next);
    next();
}

} // namespace

QByteArray TestHttpServer::Compress(const QByteArray& data, Wrapper wrapper) {
    // zlib picks the wrapper by the window bits: 16 more for gzip's,
    // negative for none.
    const int windowBits = wrapper == Wrapper::Gzip   ? 16 + MAX_WBITS
                           : wrapper == Wrapper::Zlib ? MAX_WBITS
                                                      : -MAX_WBITS;
    z_stream stream{};
    deflateInit2(&stream, Z_BEST_SPEED, Z_DEFLATED, windowBits, 8, Z_DEFAULT_STRATEGY);
    QByteArray out(static_cast<qsizetype>(deflateBound(&stream, static_cast<uLong>(data.size()))),
                   Qt::Uninitialized);
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData()));
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(static_cast<qsizetype>(stream.total_out));
    deflateEnd(&stream);
    return out;
}

TestHttpServer::Response TestHttpServer::FromJson(const QJsonObject& answer) {
    Response response{.Status = answer["status"].toInt(200),
                      .Body =
                          answer["body"].toString().toUtf8().repeated(answer["repeat"].toInt(1)),
                      .DelayMs = answer["delayMs"].toInt(),
                      .NeverAnswer = answer["neverAnswer"].toBool(),
                      .Gzip = answer["gzip"].toBool(),
                      .Chunked = answer["chunked"].toBool(),
                      .CutShort = answer["cutShort"].toBool(),
                      .DripBytes = answer["dripBytes"].toInteger(),
                      .GeneratedBytes = answer["generatedBytes"].toInteger()};
    const QJsonObject headers = answer["headers"].toObject();
    for (auto header = headers.begin(); header != headers.end(); ++header)
        response.Headers.insert(header.key().toUtf8(), header.value().toString().toUtf8());
    return response;
}

TestHttpServer::TestHttpServer(QObject* parent)
    : QObject(parent) {
    connect(&m_server, &QTcpServer::newConnection, this, &TestHttpServer::Accept);
    m_server.listen(QHostAddress::LocalHost);
}

QUrl TestHttpServer::Url(const QString& path) const {
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(m_server.serverPort()).arg(path));
}

void TestHttpServer::Serve(const QByteArray& path, const Response& response) {
    Serve(path, [response](const Request&) { return response; });
}

void TestHttpServer::Serve(const QByteArray& path, Handler handler) {
    m_handlers.insert(path, std::move(handler));
}

void TestHttpServer::Serve(const QByteArray& path, const QByteArray& body,
                           const QByteArray& contentType) {
    Serve(path, Response{.Body = body, .Headers = {{"Content-Type", contentType}}});
}

void TestHttpServer::Redirect(const QByteArray& path, const QByteArray& location, int status) {
    Serve(path, Response{.Status = status, .Headers = {{"Location", location}}});
}

int TestHttpServer::RequestCount(const QByteArray& path) const {
    return static_cast<int>(std::count_if(m_requests.cbegin(), m_requests.cend(),
                                          [&](const Request& r) { return r.Path == path; }));
}

void TestHttpServer::Accept() {
    while (QTcpSocket* socket = m_server.nextPendingConnection()) {
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        auto head = std::make_shared<QByteArray>();
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket, head] {
            *head += socket->readAll();
            const qsizetype end = head->indexOf("\r\n\r\n");
            if (end < 0)
                return;
            // One request per connection: whatever follows is not read.
            disconnect(socket, &QTcpSocket::readyRead, nullptr, nullptr);
            Answer(socket, head->left(end + 4));
        });
    }
}

void TestHttpServer::Answer(QTcpSocket* socket, const QByteArray& head) {
    const Request request = ParseHead(head);
    m_requests.append(request);
    const auto handler = m_handlers.constFind(request.Path);
    const Response response =
        handler != m_handlers.cend() ? (*handler)(request) : Response{.Status = 404};
    if (response.NeverAnswer)
        return;
    if (response.GeneratedBytes > 0) {
        QTimer::singleShot(response.DelayMs, socket,
                           [socket, response] { Stream(socket, response); });
        return;
    }
    const QByteArray bytes = Serialise(response);
    const qsizetype pieceBytes = response.DripBytes > 0 ? response.DripBytes : bytes.size();
    QTimer::singleShot(response.DelayMs, socket,
                       [socket, bytes, pieceBytes] { Drip(socket, bytes, pieceBytes); });
}

void TestHttpServer::Stream(QTcpSocket* socket, const Response& response) {
    const qint64 total = response.CutShort ? response.GeneratedBytes / 2 : response.GeneratedBytes;
    auto sent = std::make_shared<qint64>(0);
    const QByteArray line = "<item><title>generated headline</title></item>\n";
    const QByteArray block = line.repeated(StreamWindow / line.size());
    const auto pump = [socket, response, total, sent, block] {
        while (*sent < total && socket->bytesToWrite() < StreamWindow) {
            const QByteArray piece = block.left(std::min<qint64>(block.size(), total - *sent));
            *sent += piece.size();
            socket->write(response.Chunked ? Chunk(piece) : piece);
        }
        if (*sent < total || socket->state() != QAbstractSocket::ConnectedState)
            return;
        if (response.Chunked && !response.CutShort)
            socket->write(LastChunk);
        socket->disconnectFromHost();
    };
    connect(socket, &QTcpSocket::bytesWritten, socket, pump);
    socket->write(Head(response, response.GeneratedBytes));
    pump();
}
