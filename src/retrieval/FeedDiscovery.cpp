#include "retrieval/FeedDiscovery.h"

#include "feeds/FeedFormat.h"
#include "feeds/FeedIntake.h"
#include "feeds/QuietIntakeEnvironment.h"
#include "model/Provider.h"
#include "platform/LinkPolicy.h"
#include "platform/XmlDocument.h"
#include "retrieval/FeedAnswer.h"
#include "retrieval/HttpRequest.h"

namespace {

bool SameOrigin(const QUrl& one, const QUrl& other) {
    return one.scheme().compare(other.scheme(), Qt::CaseInsensitive) == 0 &&
           one.host().compare(other.host(), Qt::CaseInsensitive) == 0 &&
           one.port(-1) == other.port(-1);
}

bool SameAddress(const QUrl& one, const QUrl& other) {
    return one.adjusted(QUrl::RemoveUserInfo | QUrl::RemoveFragment) ==
           other.adjusted(QUrl::RemoveUserInfo | QUrl::RemoveFragment);
}

} // namespace

const QStringList& FeedDiscovery::CommonPaths() {
    static const QStringList paths{QStringLiteral("/feed"), QStringLiteral("/rss"),
                                   QStringLiteral("/atom.xml"), QStringLiteral("/index.xml"),
                                   QStringLiteral("/feed.xml")};
    return paths;
}

FeedDiscovery::FeedDiscovery(Limits limits, QObject* parent)
    : QObject(parent)
    , m_limits(limits) {
    m_refusal.setSingleShot(true);
    m_refusal.setInterval(0);
    connect(&m_refusal, &QTimer::timeout, this,
            [this] { Fail(QStringLiteral("only http:// and https:// addresses are looked up")); });
}

FeedDiscovery::~FeedDiscovery() {
    Cancel();
}

void FeedDiscovery::Start(const QString& address) {
    Cancel();
    m_address = address.trimmed();
    const std::optional<QUrl> url = LinkPolicy::WebAddress(m_address, QUrl::StrictMode);
    if (!url) {
        // Told from the event loop like every other outcome.
        m_stage = Stage::Refusing;
        m_refusal.start();
        return;
    }
    m_stage = Stage::Page;
    Fetch(*url, m_limits.Page);
}

void FeedDiscovery::Cancel() {
    m_refusal.stop();
    m_probes.clear();
    m_stage = Stage::Idle;
    ReleaseRequest();
}

void FeedDiscovery::ReleaseRequest() {
    if (m_request == nullptr)
        return;
    m_request->disconnect(this);
    m_request->Abort();
    // It may be the sender of the signal being handled.
    m_request->deleteLater();
    m_request = nullptr;
}

void FeedDiscovery::Fetch(const QUrl& url, std::chrono::milliseconds timeout) {
    ReleaseRequest();
    m_request = new HttpRequest({timeout, HttpRequest::Limits{}.MaxBodyBytes}, this);
    connect(m_request, &HttpRequest::Finished, this,
            m_stage == Stage::Page ? &FeedDiscovery::PageFinished : &FeedDiscovery::ProbeFinished);
    m_request->Open(url.toString(QUrl::FullyEncoded));
    m_request->Send();
}

void FeedDiscovery::PageFinished() {
    const HttpRequest& request = *m_request;
    if (const std::optional<QString> title = FeedTitle()) {
        Succeed({{*title, m_address}});
        return;
    }
    // A server that cannot be reached has no other place to try.
    if (request.Unreachable()) {
        Fail(request.ErrorString());
        return;
    }
    const QUrl given(m_address);
    const QUrl page = request.ResponseURL().isEmpty() ? given : request.ResponseURL();
    if (request.Succeeded()) {
        const QList<FeedLink> announced = FeedLinks::InPage(request.ResponseText(), page);
        if (!announced.isEmpty()) {
            Succeed(announced);
            return;
        }
    }
    // The address as given keeps its user name and password for its own
    // server.
    const QUrl site = SameOrigin(page, given) ? given : page;
    for (const QString& path : CommonPaths()) {
        const QUrl probe = site.resolved(QUrl(path));
        if (!SameAddress(probe, given) && !SameAddress(probe, page))
            m_probes.append(probe);
    }
    m_stage = Stage::Probing;
    ProbeNext();
}

void FeedDiscovery::ProbeFinished() {
    if (const std::optional<QString> title = FeedTitle()) {
        Succeed({{*title, m_probes.constFirst().toString(QUrl::FullyEncoded)}});
        return;
    }
    m_probes.removeFirst();
    ProbeNext();
}

void FeedDiscovery::ProbeNext() {
    if (m_probes.isEmpty())
        Fail();
    else
        Fetch(m_probes.constFirst(), m_limits.Probe);
}

std::optional<QString> FeedDiscovery::FeedTitle() const {
    const HttpRequest& request = *m_request;
    if (!request.Succeeded() || !FeedAnswer::Refusal(request).isEmpty())
        return std::nullopt;
    XmlDocument document;
    document.LoadXML(request.ResponseBody(), XmlDocument::Malformed::Recover,
                     request.ResponseURL());
    const XmlNode root = document.DocumentElement();
    if (root.IsNull() || FeedIntake::GetFeedFormat(root) == FeedFormat::Unknown ||
        !FeedAnswer::Refusal(request, document).isEmpty())
        return std::nullopt;
    // The feed's own name, read as a new provider's is.
    Provider provider;
    provider.ProviderName.clear();
    QuietIntakeEnvironment environment;
    FeedIntake::GrabProviderDetailsXMLComplete(provider, document, environment);
    return provider.ProviderName.simplified();
}

void FeedDiscovery::Succeed(const QList<FeedLink>& feeds) {
    Cancel();
    emit Found(feeds);
}

void FeedDiscovery::Fail(const QString& reason) {
    const QString address = m_address;
    Cancel();
    emit Failed(reason.isEmpty()
                    ? QStringLiteral("No feed was found at %1.").arg(address)
                    : QStringLiteral("No feed was found at %1: %2.").arg(address, reason));
}
