#include "retrieval/HttpRequest.h"

#include "platform/TextDecoding.h"
#include "retrieval/BodyDecoder.h"
#include "retrieval/NetworkAccess.h"

#include <QAuthenticator>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

#include <array>

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

// What the client takes off the network ahead of the body being collected:
// without a bound it buffers whatever the server sends, far past the cap.
constexpr qint64 ReadBufferBytes = 256 * 1024;
// What is taken from the reply at a time.
constexpr qint64 PieceBytes = 64 * 1024;

// Failures before any server answered.
bool IsUnreachable(QNetworkReply::NetworkError error) {
    switch (error) {
    case QNetworkReply::ConnectionRefusedError:
    case QNetworkReply::HostNotFoundError:
    case QNetworkReply::TimeoutError:
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError:
    case QNetworkReply::ProxyConnectionRefusedError:
    case QNetworkReply::ProxyConnectionClosedError:
    case QNetworkReply::ProxyNotFoundError:
    case QNetworkReply::ProxyTimeoutError:
        return true;
    default:
        return false;
    }
}

QString BrokenOff() {
    return QStringLiteral("the answer broke off before its end");
}

bool IsRedirect(int status) {
    return status >= 300 && status <= 399;
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
            [this] { Fail(QStringLiteral("the server did not answer in time"), true); });
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
    // Bodies are decoded here rather than by the client, which takes a
    // compressed body cut short for a whole one. Answers that may come from
    // the cache are left to the client: it stores them decoded, under the
    // name of their encoding, so they cannot be told from encoded ones.
    if (!m_useCache)
        request.setRawHeader("Accept-Encoding", BodyDecoder::Accepted());
    for (const auto& [name, value] : m_headers)
        request.setRawHeader(name, value);
    m_status = 0;
    m_body.clear();
    m_pieces.clear();
    m_received = 0;
    m_error.clear();
    m_unreachable = false;
    m_reply = NetworkAccess::Manager().get(request);
    m_reply->setReadBufferSize(ReadBufferBytes);
    connect(m_reply, &QNetworkReply::metaDataChanged, this, &HttpRequest::RefuseDeclaredLength);
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

// A body the server says is over the cap is refused before it comes.
void HttpRequest::RefuseDeclaredLength() {
    const int status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
    // A "not modified" answer may name the length of the body it leaves out.
    if (status != NotModified && length.isValid() && length.toLongLong() > m_limits.MaxBodyBytes)
        FailTooLarge();
}

// The body is kept in pieces, joined once it is whole:
// grown in one block, every reallocation would hold the old block and the
// new one at once, and refusing a body over the cap would cost twice it.
// Nothing is taken far past the cap, however much the reply has ready (a
// local file is ready whole).
void HttpRequest::Collect() {
    if (!m_decoder)
        m_decoder = std::make_unique<BodyDecoder>(m_useCache ? QByteArray()
                                                             : ResponseHeader("Content-Encoding"));
    std::array<char, PieceBytes> piece;
    qint64 count = 0;
    while ((count = m_reply->read(piece.data(), PieceBytes)) > 0) {
        m_received += count;
        if (!m_decoder->Append(QByteArrayView(piece.data(), count), m_pieces,
                               m_limits.MaxBodyBytes)) {
            Fail(QStringLiteral("the answer could not be decompressed"));
            return;
        }
        if (m_decoder->DecodedSize() > m_limits.MaxBodyBytes) {
            FailTooLarge();
            return;
        }
    }
}

// Whether a success's body arrived whole: as long as the server said, and
// a compressed stream to its end. Of a body the client decoded only the
// client knows.
bool HttpRequest::ArrivedWhole() const {
    if (m_useCache && !ResponseHeader("Content-Encoding").isEmpty())
        return true;
    const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
    return m_decoder->Complete() && (!length.isValid() || m_received >= length.toLongLong());
}

void HttpRequest::Complete() {
    if (m_readyState != Opened || m_reply == nullptr)
        return;
    Collect();
    if (m_readyState != Opened)
        return; // the body was too large
    const int status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QNetworkReply::NetworkError error = m_reply->error();
    // An error status comes with an error of its own, and its body is no
    // feed whole or not; any other error leaves no answer to use.
    if (error != QNetworkReply::NoError && status < 400) {
        Fail(FailureReason(status), IsUnreachable(error));
        return;
    }
    if (Succeeded(status) && !ArrivedWhole()) {
        Fail(BrokenOff());
        return;
    }
    m_deadline.stop();
    m_body = m_pieces.join();
    m_pieces.clear();
    m_status = status == 0 && m_url.isLocalFile() ? 200 : status;
    if (m_status == 0)
        m_error = m_reply->errorString();
    m_readyState = Done;
    emit Finished();
}

QString HttpRequest::FailureReason(int status) const {
    const QNetworkReply::NetworkError error = m_reply->error();
    if (error == QNetworkReply::TooManyRedirectsError)
        return QStringLiteral("more than %1 redirects").arg(NetworkAccess::MaxRedirects);
    if (error == QNetworkReply::InsecureRedirectError)
        return QStringLiteral("redirect from https to plain http refused");
    if (IsRedirect(status) && error == QNetworkReply::ProtocolUnknownError)
        return QStringLiteral("redirect to a %1: address refused")
            .arg(QUrl(QString::fromUtf8(ResponseHeader("Location"))).scheme().toLower());
    if (Succeeded(status))
        return BrokenOff();
    return m_reply->errorString();
}

void HttpRequest::FailTooLarge() {
    constexpr qint64 Megabyte = qint64(1) << 20;
    const qint64 cap = m_limits.MaxBodyBytes;
    Fail(cap >= Megabyte ? QStringLiteral("the answer is larger than %1 MB").arg(cap / Megabyte)
                         : QStringLiteral("the answer is larger than %1 bytes").arg(cap));
}

void HttpRequest::Fail(const QString& reason, bool unreachable) {
    Release();
    m_status = 0;
    m_body.clear();
    m_pieces.clear();
    m_error = reason;
    m_unreachable = unreachable;
    m_readyState = Done;
    emit Finished();
}

void HttpRequest::Release() {
    m_deadline.stop();
    m_decoder.reset();
    if (m_reply == nullptr)
        return;
    m_reply->disconnect(this);
    m_reply->abort();
    m_reply->deleteLater();
    m_reply = nullptr;
}
