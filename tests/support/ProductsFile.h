#pragma once

#include "config/ProgramVersion.h"

#include <QByteArray>
#include <QHostAddress>
#include <QString>
#include <QTcpServer>

// Products files for the program update check, and places to serve them
// from.
namespace ProductsFile {

// The program's entry at `version`, after another product's.
inline QByteArray Listing(const QString& version) {
    return "<products><product id=\"other\"><version>99.0.0</version></product>"
           "<product id=\"qtk\"><name>Varnocet</name><version>" +
           version.toUtf8() + "</version></product></products>";
}

// One revision after the running program's version.
inline QString NextVersion() {
    const ProgramVersion running = ParseVersion(ProgramVersionString());
    return QStringLiteral("%1.%2.%3")
        .arg(running.Major)
        .arg(running.Minor)
        .arg(running.Revision + 1);
}

// An address on this machine where nothing listens: a port that was free a
// moment ago.
inline QString ClosedAddress() {
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost))
        return QStringLiteral("http://127.0.0.1:9/products.xml");
    const quint16 port = probe.serverPort();
    probe.close();
    return QStringLiteral("http://127.0.0.1:%1/products.xml").arg(port);
}

} // namespace ProductsFile
