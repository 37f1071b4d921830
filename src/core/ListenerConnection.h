#pragma once

#include <QByteArray>
#include <QObject>
#include <QTimer>

class QTcpSocket;

// One connection to the local listener: it collects the request line, hands
// it on once, and sends one answer before it closes. Every connection is an
// object of its own, so a second one (a browser's speculative connection, a
// request for an icon) never disturbs the one carrying the request. It
// deletes itself once its socket has closed.
class ListenerConnection : public QObject {
    Q_OBJECT

public:
    // A request line longer than this is no request of ours.
    static constexpr qsizetype MaxRequestLine = 8 * 1024;

    // Takes over `socket`; the line must arrive within `limitMs`.
    ListenerConnection(QTcpSocket* socket, int limitMs, QObject* parent = nullptr);

    // Sends `answer` and closes; nothing when the peer has gone.
    void Answer(const QByteArray& answer);
    // Closes without an answer.
    void Close();

signals:
    // The request line without its end, decoded as UTF-8.
    void RequestLineRead(ListenerConnection* connection, const QString& line);

private:
    void OnReadyRead();

    QTcpSocket* m_socket;
    QTimer m_limit;
    QByteArray m_buffer;
    bool m_lineRead = false;
};
