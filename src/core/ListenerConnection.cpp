#include "core/ListenerConnection.h"

#include <QTcpSocket>

ListenerConnection::ListenerConnection(QTcpSocket* socket, int limitMs, QObject* parent)
    : QObject(parent)
    , m_socket(socket) {
    m_socket->setParent(this);
    connect(m_socket, &QTcpSocket::readyRead, this, &ListenerConnection::OnReadyRead);
    connect(m_socket, &QTcpSocket::disconnected, this, &QObject::deleteLater);
    m_limit.setSingleShot(true);
    connect(&m_limit, &QTimer::timeout, this, &ListenerConnection::Close);
    m_limit.start(limitMs);
}

void ListenerConnection::Answer(const QByteArray& answer) {
    if (m_socket->state() != QAbstractSocket::ConnectedState)
        return;
    m_socket->write(answer);
    Close();
}

// Whatever is still to be sent goes out first.
void ListenerConnection::Close() {
    m_limit.stop();
    m_socket->disconnectFromHost();
    if (m_socket->state() == QAbstractSocket::UnconnectedState)
        deleteLater();
}

// Header lines and a body after the request line are read and dropped, so
// that the peer is never held up by a full buffer.
void ListenerConnection::OnReadyRead() {
    if (m_lineRead) {
        m_socket->readAll();
        return;
    }
    m_buffer += m_socket->read(MaxRequestLine - m_buffer.size());
    const qsizetype end = m_buffer.indexOf('\n');
    if (end < 0) {
        if (m_buffer.size() >= MaxRequestLine)
            Close();
        return;
    }
    m_lineRead = true;
    m_limit.stop();
    QByteArray line = m_buffer.left(end);
    if (line.endsWith('\r'))
        line.chop(1);
    m_buffer.clear();
    m_socket->readAll();
    emit RequestLineRead(this, QString::fromUtf8(line));
}
