#pragma once

#include <QByteArray>
#include <QString>

class QNetworkAccessManager;
class QNetworkDiskCache;

// The program's one HTTP client: redirects only where they do not lower the
// security (at most MaxRedirects hops), TLS certificates always checked, a
// User-Agent naming the program, and an HTTP cache in the user's cache
// folder for the files that may come from it (never for feeds, which carry
// their own conditional requests). It lives on the thread that first asks
// for it, the user-interface thread.
namespace NetworkAccess {

constexpr int MaxRedirects = 10;

QNetworkAccessManager& Manager();
QByteArray UserAgent();

// The cache behind Manager(); null until the manager exists.
QNetworkDiskCache* Cache();

// Says once per run, on stderr and as a background notice, when this
// system cannot speak TLS, so that https feeds failing have a reason.
void ReportMissingTls();

} // namespace NetworkAccess
