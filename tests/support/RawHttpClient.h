#pragma once

#include "support/EventWait.h"

#include <QByteArray>
#include <QHostAddress>
#include <QTcpSocket>

// A TCP client that sends bytes exactly as given and keeps everything the
// server sends until it closes, for servers that must cope with what a
// browser or a stranger might send.
class RawHttpClient {
public:
    explicit RawHttpClient(quint16 port, const QHostAddress& host = QHostAddress::LocalHost) {
        QObject::connect(&m_socket, &QTcpSocket::readyRead, &m_socket,
                         [this] { m_read += m_socket.readAll(); });
        m_socket.connectToHost(host, port);
    }

    // True once the bytes have left (a server may close as soon as they
    // have).
    bool Send(const QByteArray& bytes) {
        m_socket.write(bytes);
        WaitUntil([this] { return m_socket.bytesToWrite() == 0 || Closed(); });
        return m_socket.bytesToWrite() == 0;
    }

    bool Closed() const { return m_socket.state() == QAbstractSocket::UnconnectedState; }
    // What has arrived so far.
    const QByteArray& Read() const { return m_read; }
    // Everything the server sent, once it has closed the connection.
    QByteArray Answer() {
        WaitUntil([this] { return Closed(); });
        m_read += m_socket.readAll();
        return Closed() ? m_read : QByteArrayLiteral("(still open)");
    }
    QAbstractSocket::SocketError Error() const { return m_socket.error(); }

private:
    QTcpSocket m_socket;
    QByteArray m_read;
};
