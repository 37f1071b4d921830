#include "retrieval/HttpRequest.h"

#include "platform/TextDecoding.h"
#include "retrieval/NetworkAccess.h"

#include <QAuthenticator>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace {

// Where a reply may use the credentials of the URL it was opened with.
constexpr auto CredentialsAttribute = QNetworkRequest::User;

QString Origin(const QUrl& url) {
    return url
        .adjusted(QUrl::RemoveUserInfo | QUrl::RemovePath | QUrl::RemoveQuery |
                  QUrl::RemoveFragment)
        .toString();
}

void ProvideCredentials(QNetworkReply* reply, QAuthenticator* authenticator) {
    const QVariant stored = reply->request().attribute(CredentialsAttribute);
    if (!stored.isValid() || reply->property("varnocetAuthTried").toBool())
        return;
    const QStringList parts = stored.toStringList();
    // Only the origin the user named gets the password, never the target of
    // a redirect; and only once, so a wrong password ends the request.
    if (parts.size() != 3 || Origin(reply->url()) != parts[0])
        return;
    reply->setProperty("varnocetAuthTried", true);
    authenticator->setUser(parts[1]);
    authenticator->setPassword(parts[2]);
}

void ListenForChallenges() {
    static const bool connected = [] {
        QObject::connect(&NetworkAccess::Manager(), &QNetworkAccessManager::authenticationRequired,
                         ProvideCredentials);
        return true;
    }();
    static_cast<void>(connected);
}

QString CharsetOf(const QByteArray& contentType) {
    for (const QByteArray& part : contentType.split(';')) {
        const QByteArray trimmed = part.trimmed();
        if (trimmed.toLower().startsWith("charset="))
            return QString::fromLatin1(trimmed.mid(8)).remove(u'"').trimmed();
    }
    return {};
}

} // namespace

HttpRequest::HttpRequest(Limits limits, QObject* parent)
    : QObject(parent)
    , m_limits(limits) {
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this,
            [this] { Fail(QStringLiteral("The server did not answer in time.")); });
}

HttpRequest::~HttpRequest() {
    Release();
}

void HttpRequest::Open(const QString& url) {
    Abort();
    m_url = QUrl(url);
    m_headers.clear();
    m_readyState = Opened;
}

void HttpRequest::SetRequestHeader(const QByteArray& name, const QByteArray& value) {
    m_headers.append({name, value});
}

void HttpRequest::Send() {
    if (m_readyState != Opened)
        return;
    ListenForChallenges();
    QNetworkRequest request(m_url.adjusted(QUrl::RemoveUserInfo));
    request.setHeader(QNetworkRequest::UserAgentHeader, NetworkAccess::UserAgent());
    request.setMaximumRedirectsAllowed(NetworkAccess::MaxRedirects);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         m_useCache ? QNetworkRequest::PreferNetwork
                                    : QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, m_useCache);
    if (!m_url.userName().isEmpty())
        request.setAttribute(CredentialsAttribute,
                             QStringList{Origin(m_url), m_url.userName(), m_url.password()});
    for (const auto& [name, value] : m_headers)
        request.setRawHeader(name, value);
    m_status = 0;
    m_body.clear();
    m_error.clear();
    m_reply = NetworkAccess::Manager().get(request);
    connect(m_reply, &QNetworkReply::readyRead, this, &HttpRequest::Collect);
    connect(m_reply, &QNetworkReply::finished, this, &HttpRequest::Complete);
    m_deadline.start(m_limits.Timeout);
}

void HttpRequest::Abort() {
    Release();
    m_readyState = Unsent;
}

QString HttpRequest::ResponseText() const {
    return TextDecoding::Decode(m_body, ResponseCharset());
}

QString HttpRequest::ResponseCharset() const {
    return CharsetOf(ResponseHeader("Content-Type"));
}

QByteArray HttpRequest::ResponseHeader(const QByteArray& name) const {
    return m_reply != nullptr ? m_reply->rawHeader(name) : QByteArray();
}

QUrl HttpRequest::ResponseURL() const {
    return m_reply != nullptr ? m_reply->url() : QUrl();
}

void HttpRequest::Collect() {
    m_body += m_reply->readAll();
    if (m_body.size() > m_limits.MaxBodyBytes)
        Fail(QStringLiteral("The answer is larger than %1 MB.").arg(m_limits.MaxBodyBytes >> 20));
}

void HttpRequest::Complete() {
    if (m_readyState != Opened || m_reply == nullptr)
        return;
    Collect();
    if (m_readyState != Opened)
        return; // the body was too large
    m_deadline.stop();
    const QVariant status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (status.isValid())
        m_status = status.toInt();
    else if (m_url.isLocalFile() && m_reply->error() == QNetworkReply::NoError)
        m_status = 200;
    if (m_status == 0 || (m_reply->error() != QNetworkReply::NoError && !status.isValid()))
        m_error = m_reply->errorString();
    m_readyState = Done;
    emit Finished();
}

void HttpRequest::Fail(const QString& reason) {
    Release();
    m_status = 0;
    m_body.clear();
    m_error = reason;
    m_readyState = Done;
    emit Finished();
}

void HttpRequest::Release() {
    m_deadline.stop();
    if (m_reply == nullptr)
        return;
    m_reply->disconnect(this);
    m_reply->abort();
    m_reply->deleteLater();
    m_reply = nullptr;
}
