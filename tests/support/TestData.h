#pragma once

#include <QByteArray>
#include <QJsonArray>
#include <QList>
#include <QSslConfiguration>
#include <QString>
#include <QStringList>

// Fixtures under tests/data.
namespace TestData {

QString Path(const QString& relativePath);
// A file the program ships (the source tree's data/), as a user gets it.
QString Bundled(const QString& relativePath);
QByteArray Read(const QString& relativePath);
// The rows of a case table under tests/data: a case a line, its columns
// separated by tabs; empty lines and lines starting with "#" are left out.
QList<QStringList> Table(const QString& relativePath);
// A whole file of the test's own (an absolute path); empty when it cannot be
// read.
QByteArray ReadFile(const QString& path);
// Writes a test's own file (an absolute path, in the test's temporary
// folder), making its folder when missing; throws when it cannot.
QString Write(const QString& path, const QByteArray& bytes);
// A table of cases kept as data: the JSON array of objects in the file
// under tests/data, one object a case; throws when it cannot be read.
QJsonArray Cases(const QString& relativePath);
// Copies the files of the folder `from` into `to`, made when missing.
void CopyFiles(const QString& from, const QString& to);
// A server configuration with the self-signed certificate of tls/: nobody
// vouches for it, so clients must refuse it.
QSslConfiguration SelfSignedTls();

} // namespace TestData
