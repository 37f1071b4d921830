#include "retrieval/FileDownload.h"

#include "platform/AtomicFile.h"
#include "retrieval/HttpRequest.h"
#include "retrieval/NetworkAccess.h"

#include <QEventLoop>
#include <QNetworkDiskCache>

namespace FileDownload {
namespace {

// Runs `request` to its end. User input stays queued meanwhile: a command
// started in the middle of a download could pull the ground from under
// the code waiting for it.
void Wait(HttpRequest& request) {
    QEventLoop loop;
    QObject::connect(&request, &HttpRequest::Finished, &loop, &QEventLoop::quit);
    request.Send();
    if (request.ReadyState() != HttpRequest::Done)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
}

} // namespace

std::optional<QByteArray> FetchBytes(const QString& url, std::chrono::milliseconds limit) {
    HttpRequest request({limit, HttpRequest::Limits{}.MaxBodyBytes});
    request.SetUseCache(true);
    request.Open(url);
    Wait(request);
    if (request.Status() != 200)
        return std::nullopt;
    return request.ResponseBody();
}

bool DownloadToFile(const QString& url, const QString& file, std::chrono::milliseconds limit,
                    const BodyCheck& accept) {
    const std::optional<QByteArray> body = FetchBytes(url, limit);
    if (!body || (accept && !accept(*body)))
        return false;
    return AtomicFile::Write(file, *body);
}

void ForgetCachedURL(const QString& url) {
    if (QNetworkDiskCache* cache = NetworkAccess::Cache())
        cache->remove(QUrl(url));
}

} // namespace FileDownload
