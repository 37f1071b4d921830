#include "support/TestData.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonParseError>
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

QList<QStringList> Table(const QString& relativePath) {
    QList<QStringList> rows;
    for (const QString& line : QString::fromUtf8(Read(relativePath)).split(u'\n')) {
        if (!line.isEmpty() && !line.startsWith(u'#'))
            rows.append(line.split(u'\t'));
    }
    return rows;
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString Write(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + path.toStdString());
    return path;
}

QJsonArray Cases(const QString& relativePath) {
    QJsonParseError error{};
    const QJsonDocument cases = QJsonDocument::fromJson(Read(relativePath), &error);
    if (!cases.isArray())
        throw std::runtime_error("no case table in " + relativePath.toStdString() + ": " +
                                 error.errorString().toStdString());
    return cases.array();
}

void CopyFiles(const QString& from, const QString& to) {
    QDir().mkpath(to);
    const QDir source(from);
    for (const QString& file : source.entryList(QDir::Files)) {
        if (!QFile::copy(source.filePath(file), QDir(to).filePath(file)))
            throw std::runtime_error("cannot copy " + file.toStdString());
    }
}

QSslConfiguration SelfSignedTls() {
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.setLocalCertificate(QSslCertificate(Read(QStringLiteral("tls/localhost.crt"))));
    tls.setPrivateKey(QSslKey(Read(QStringLiteral("tls/localhost.key")), QSsl::Rsa));
    return tls;
}

} // namespace TestData
