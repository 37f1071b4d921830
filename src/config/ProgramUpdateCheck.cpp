#include "config/ProgramUpdateCheck.h"

#include "config/ProductInfo.h"
#include "config/ProgramVersion.h"
#include "retrieval/FileDownload.h"
#include "retrieval/HttpRequest.h"

namespace {

// Far more than any products file; a server sending more is not sending one.
constexpr qint64 MaxFileBytes = qint64(1) << 20;

} // namespace

ProgramUpdateCheck::Answer
ProgramUpdateCheck::CheckProgramVersion(const std::optional<QByteArray>& document,
                                        const QString& running) {
    ProductInfo info;
    if (ProductInfo::GetProductInfo(document, QString::fromLatin1(ProductID), info) !=
        ProductInfo::Result::Found)
        return {Outcome::Failed, {}};
    const bool newer = ParseVersion(info.Version) > ParseVersion(running);
    return {newer ? Outcome::NewerVersion : Outcome::UpToDate, info.Version};
}

QString ProgramUpdateCheck::NewVersionText(const Answer& answer) {
    if (answer.Result != Outcome::NewerVersion)
        return {};
    return QStringLiteral("Version ") + answer.Version + QStringLiteral(" is now available.");
}

QString ProgramUpdateCheck::Message(const Answer& answer) {
    switch (answer.Result) {
    case Outcome::NewerVersion:
        return NewVersionText(answer);
    case Outcome::UpToDate:
        return QStringLiteral("You are running the most recent version.");
    case Outcome::Failed:
        return QStringLiteral("The update check failed. Try again later.");
    case Outcome::NotConfigured:
        return QStringLiteral("No update server is configured for this build.");
    }
    return {};
}

ProgramUpdateCheck::ProgramUpdateCheck(QString productsURL, QString running,
                                       std::chrono::milliseconds limit, QObject* parent)
    : QObject(parent)
    , m_productsURL(std::move(productsURL))
    , m_running(std::move(running))
    , m_limit(limit) {}

ProgramUpdateCheck::~ProgramUpdateCheck() = default;

// The file changes on the server while its address stays: a copy the HTTP
// cache kept from an earlier check must not answer for it.
void ProgramUpdateCheck::Start() {
    if (Running())
        return;
    if (m_productsURL.isEmpty()) {
        emit Finished({Outcome::NotConfigured, {}});
        return;
    }
    FileDownload::ForgetCachedURL(m_productsURL);
    m_request = new HttpRequest(HttpRequest::Limits{m_limit, MaxFileBytes}, this);
    m_request->SetUseCache(true);
    connect(m_request, &HttpRequest::Finished, this, &ProgramUpdateCheck::Fetched);
    m_request->Open(m_productsURL);
    m_request->Send();
}

void ProgramUpdateCheck::Cancel() {
    if (!Running())
        return;
    m_request->Abort();
    m_request->deleteLater();
    m_request = nullptr;
}

void ProgramUpdateCheck::Fetched() {
    const std::optional<QByteArray> document =
        m_request->Succeeded() ? std::optional(m_request->ResponseBody()) : std::nullopt;
    m_request->deleteLater();
    m_request = nullptr;
    emit Finished(CheckProgramVersion(document, m_running));
}
