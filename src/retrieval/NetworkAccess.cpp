#include "retrieval/NetworkAccess.h"

#include "platform/BackgroundNotice.h"
#include "platform/KnownFolders.h"

#include <QNetworkAccessManager>
#include <QNetworkDiskCache>
#include <QSslSocket>

namespace NetworkAccess {

QNetworkAccessManager& Manager() {
    static QNetworkAccessManager* manager = [] {
        auto* created = new QNetworkAccessManager();
        created->setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
        auto* cache = new QNetworkDiskCache(created);
        cache->setCacheDirectory(KnownFolders::Cache() + QStringLiteral("/http"));
        created->setCache(cache);
        return created;
    }();
    return *manager;
}

QNetworkDiskCache* Cache() {
    return qobject_cast<QNetworkDiskCache*>(Manager().cache());
}

QByteArray UserAgent() {
    return QByteArrayLiteral("Varnocet/" VARNOCET_VERSION " (Linux; feed reader)");
}

void ReportMissingTls() {
    if (!QSslSocket::supportsSsl())
        BackgroundNotice::Report(QStringLiteral(
            "This system offers no TLS library: feeds at https addresses cannot be read."));
}

} // namespace NetworkAccess
