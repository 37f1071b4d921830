#pragma once

#include "core/ProviderSubscription.h"

#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTcpServer>
#include <QTimer>

#include <deque>
#include <functional>
#include <memory>

class ListenerConnection;
class ProgramCore;
struct FeedLink;
class Provider;

// Lets a web page subscribe the user to a feed: a link to
// http://localhost:8900/add_provider?url=<feed> adds the feed (or finds the
// provider that has it), shows it, and answers with a short page saying
// what was done. Only this machine can reach it: it listens on the loopback
// addresses alone, since anyone else could otherwise add providers, make
// the program fetch addresses of the local network and pop up the chooser.
// Requests are carried out one at a time, after the event that read them.
class ProviderListener : public QObject {
    Q_OBJECT

public:
    static constexpr quint16 DefaultPort = 8900;

    // The user's choice of category for a new provider; empty when the
    // chooser was closed without one, which adds nothing.
    using CategoryAnswer = std::function<void(const QString& category)>;
    // Asks the user for a category and answers later, through the callback.
    using CategoryChooser = std::function<void(CategoryAnswer answer)>;

    struct Limits {
        // For the request line to arrive.
        int RequestLineMs = 5000;
        // For a new provider's name to arrive with its details.
        int NameWaitMs = 15000;
        // Between two looks whether the program still holds its work.
        int SuspendedRetryMs = 500;
    };

    ProviderListener(ProgramCore& core, CategoryChooser chooser, QObject* parent = nullptr);
    ProviderListener(ProgramCore& core, CategoryChooser chooser, Limits limits,
                     QObject* parent = nullptr);
    ~ProviderListener() override;

    // Listens on `port` of 127.0.0.1 and ::1 (0: a free port). A port in use
    // is not fatal: one notice, and the program goes on without the
    // listener. True when listening.
    bool Listen(quint16 port = DefaultPort);
    // Stops listening, drops every connection and what they asked for.
    void Close();
    bool IsListening() const { return m_ipv4.isListening(); }
    // The port listened on; 0 when not listening.
    quint16 Port() const { return m_ipv4.serverPort(); }
    QList<QHostAddress> Addresses() const;

private:
    struct Pending {
        QPointer<ListenerConnection> connection;
        QString url;
    };

    void Refuse(quint16 port, const QTcpServer& server);
    void Accept(QTcpServer& server);
    void OnRequestLine(ListenerConnection* connection, const QString& line);
    void PostNext();
    void AddNext();
    void OnSubscribed(const ProviderSubscription::Result& result, const FeedLink& feed);
    void OnCategory(const QString& category);
    void AwaitName(const ProviderSubscription::Result& result);
    void OnProviderUpdated(const Provider& provider);
    void AnswerWithName();
    void Finish(const QString& body);

    ProgramCore& m_core;
    CategoryChooser m_chooser;
    Limits m_limits;
    QTcpServer m_ipv4;
    QTcpServer m_ipv6;
    std::deque<Pending> m_queue;
    // The front of the queue is being added.
    bool m_adding = false;
    // Counts the closes, so that a late answer of the chooser to a request
    // that was dropped changes nothing.
    int m_generation = 0;
    ProviderSubscription::Result m_result;
    QMetaObject::Connection m_updates;
    QTimer m_nameWait;
    QTimer m_suspended;
};
