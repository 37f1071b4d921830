#include "support/TestData.h"

#include <QDir>
#include <QFile>
#include <QSslCertificate>
#include <QSslKey>

#include <stdexcept>

namespace TestData {

QString Path(const QString& relativePath) {
    return QDir(QStringLiteral(VARNOCET_TEST_DATA_DIR)).filePath(relativePath);
}

QString Bundled(const QString& relativePath) {
    return QDir(QStringLiteral(VARNOCET_BUNDLED_DATA_DIR)).filePath(relativePath);
}

QByteArray Read(const QString& relativePath) {
    QFile file(Path(relativePath));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("missing fixture " + relativePath.toStdString());
    return file.readAll();
}

QString Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + path.toStdString());
    return path;
}

QSslConfiguration SelfSignedTls() {
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.setLocalCertificate(QSslCertificate(Read(QStringLiteral("tls/localhost.crt"))));
    tls.setPrivateKey(QSslKey(Read(QStringLiteral("tls/localhost.key")), QSsl::Rsa));
    return tls;
}

} // namespace TestData
