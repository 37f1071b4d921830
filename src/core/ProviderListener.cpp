#include "core/ProviderListener.h"

#include "core/AddProviderRequest.h"
#include "core/FeedSubscriber.h"
#include "core/ListenerConnection.h"
#include "core/ProgramCore.h"
#include "model/PendingOperation.h"
#include "model/Provider.h"
#include "platform/BackgroundNotice.h"

#include <QTcpSocket>

ProviderListener::ProviderListener(ProgramCore& core, CategoryChooser chooser, QObject* parent)
    : ProviderListener(core, std::move(chooser), Limits{}, parent) {}

ProviderListener::ProviderListener(ProgramCore& core, CategoryChooser chooser, Limits limits,
                                   QObject* parent)
    : QObject(parent)
    , m_core(core)
    , m_chooser(std::move(chooser))
    , m_limits(limits) {
    for (QTcpServer* server : {&m_ipv4, &m_ipv6})
        connect(server, &QTcpServer::newConnection, this, [this, server] { Accept(*server); });
    m_nameWait.setSingleShot(true);
    connect(&m_nameWait, &QTimer::timeout, this, &ProviderListener::AnswerWithName);
    m_suspended.setSingleShot(true);
    connect(&m_suspended, &QTimer::timeout, this, &ProviderListener::AddNext);
}

ProviderListener::~ProviderListener() {
    Close();
}

bool ProviderListener::Listen(quint16 port) {
    Close();
    if (!m_ipv4.listen(QHostAddress::LocalHost, port)) {
        Refuse(port, m_ipv4);
        return false;
    }
    // A machine without IPv6 is served on IPv4 alone; a port another
    // program holds on ::1 would take the browsers that try ::1 first. A
    // free port picked for IPv4 may be taken on ::1, and is then simply
    // left out there.
    if (!m_ipv6.listen(QHostAddress::LocalHostIPv6, m_ipv4.serverPort()) &&
        m_ipv6.serverError() == QAbstractSocket::AddressInUseError && port != 0) {
        Refuse(port, m_ipv6);
        m_ipv4.close();
        return false;
    }
    return true;
}

void ProviderListener::Refuse(quint16 port, const QTcpServer& server) {
    BackgroundNotice::Report(QStringLiteral("Web pages cannot add providers to Varnocet: port %1 "
                                            "of this computer cannot be listened on (%2).")
                                 .arg(port)
                                 .arg(server.errorString()));
}

void ProviderListener::Close() {
    m_ipv4.close();
    m_ipv6.close();
    ++m_generation;
    m_queue.clear();
    m_adding = false;
    disconnect(m_updates);
    m_nameWait.stop();
    m_suspended.stop();
    m_result = {};
    for (ListenerConnection* connection : findChildren<ListenerConnection*>())
        connection->Close();
}

QList<QHostAddress> ProviderListener::Addresses() const {
    QList<QHostAddress> addresses;
    for (const QTcpServer* server : {&m_ipv4, &m_ipv6}) {
        if (server->isListening())
            addresses.append(server->serverAddress());
    }
    return addresses;
}

void ProviderListener::Accept(QTcpServer& server) {
    while (QTcpSocket* socket = server.nextPendingConnection()) {
        auto* connection = new ListenerConnection(socket, m_limits.RequestLineMs, this);
        connect(connection, &ListenerConnection::RequestLineRead, this,
                &ProviderListener::OnRequestLine);
    }
}

void ProviderListener::OnRequestLine(ListenerConnection* connection, const QString& line) {
    const AddProviderRequest::Judgement judgement = AddProviderRequest::Judge(line);
    if (judgement.url.isEmpty()) {
        connection->Answer(AddProviderRequest::Answer(judgement.body));
        return;
    }
    m_queue.push_back({connection, judgement.url});
    PostNext();
}

// The add runs after the event that read the request has returned.
void ProviderListener::PostNext() {
    if (m_adding || m_queue.empty())
        return;
    m_adding = true;
    QTimer::singleShot(0, this, [this, generation = m_generation] {
        if (generation == m_generation)
            AddNext();
    });
}

// While the settings dialog edits a copy of the list, a provider added to
// the list itself would be lost when the copy is adopted: the add waits.
void ProviderListener::AddNext() {
    if (m_core.Flags().Suspended) {
        m_suspended.start(m_limits.SuspendedRetryMs);
        return;
    }
    // The address may be a site's page: the feed behind it is looked for
    // first.
    auto* subscriber = new FeedSubscriber(m_core, this);
    const auto current = [this, subscriber, generation = m_generation] {
        subscriber->deleteLater();
        return generation == m_generation;
    };
    connect(subscriber, &FeedSubscriber::Subscribed, this,
            [this, current](const ProviderSubscription::Result& result, const FeedLink& feed) {
                if (current())
                    OnSubscribed(result, feed);
            });
    connect(subscriber, &FeedSubscriber::Failed, this, [this, current](const QString& message) {
        if (current())
            Finish(AddProviderRequest::NotAddedBody(m_queue.front().url, message));
    });
    subscriber->Start(m_queue.front().url, {});
}

void ProviderListener::OnSubscribed(const ProviderSubscription::Result& result,
                                    const FeedLink& feed) {
    switch (result.outcome) {
    case ProviderSubscription::Outcome::Refused:
        Finish(AddProviderRequest::UnknownBody());
        return;
    case ProviderSubscription::Outcome::NeedsCategory: {
        // The feed's address is what is stored, never the page's.
        m_queue.front().url = feed.Address;
        const QPointer<ProviderListener> listener(this);
        m_chooser([listener, generation = m_generation](const QString& category) {
            if (listener != nullptr && generation == listener->m_generation)
                listener->OnCategory(category);
        });
        return;
    }
    case ProviderSubscription::Outcome::Found:
    case ProviderSubscription::Outcome::Added:
        AwaitName(result);
        return;
    }
}

// Choosing no category is refusing the provider.
void ProviderListener::OnCategory(const QString& category) {
    const QString url = m_queue.front().url;
    if (category.isEmpty()) {
        Finish(AddProviderRequest::NotAddedBody(url, QStringLiteral("no category was chosen.")));
        return;
    }
    const ProviderSubscription::Result result = m_core.AddProviderByURL(url, category);
    if (result.provider == nullptr)
        Finish(AddProviderRequest::UnknownBody());
    else
        AwaitName(result);
}

// A new provider is named by its feed, whose details arrive after the add;
// the answer waits for them, within a limit.
void ProviderListener::AwaitName(const ProviderSubscription::Result& result) {
    m_result = result;
    const Provider& provider = *result.provider;
    if (!provider.ProviderName.isEmpty() ||
        (provider.PendingOperations & PendingOperation::Details) == 0) {
        AnswerWithName();
        return;
    }
    m_updates =
        connect(&m_core, &ProgramCore::ProviderUpdated, this, &ProviderListener::OnProviderUpdated);
    m_nameWait.start(m_limits.NameWaitMs);
}

void ProviderListener::OnProviderUpdated(const Provider& provider) {
    if (&provider == m_result.provider.get() &&
        (provider.PendingOperations & PendingOperation::Details) == 0)
        AnswerWithName();
}

// A provider whose feed told no name is named by its address.
void ProviderListener::AnswerWithName() {
    disconnect(m_updates);
    m_nameWait.stop();
    const Provider& provider = *m_result.provider;
    const QString name = provider.ProviderName.isEmpty() ? provider.DataURL : provider.ProviderName;
    Finish(m_result.outcome == ProviderSubscription::Outcome::Found
               ? AddProviderRequest::KnownBody(name, provider.Category)
               : AddProviderRequest::AddedBody(name, provider.Category));
}

void ProviderListener::Finish(const QString& body) {
    m_result = {};
    if (m_queue.front().connection != nullptr)
        m_queue.front().connection->Answer(AddProviderRequest::Answer(body));
    m_queue.pop_front();
    m_adding = false;
    PostNext();
}
