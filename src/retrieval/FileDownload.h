#pragma once

#include <QByteArray>
#include <QString>

#include <chrono>
#include <functional>
#include <optional>

// Fetching one file at once, for the few places that need it before they
// can go on (master provider list, logo images). The caller
// waits in a local event loop that leaves user input queued, so timers and
// network completions keep running but no command can start meanwhile.
// Every wait has a limit, measured on the monotonic clock.
namespace FileDownload {

using namespace std::chrono_literals;

// Decides whether a complete answer may replace the file (for instance:
// it parses as the document expected).
using BodyCheck = std::function<bool(const QByteArray& body)>;

// Fetches `url` into `file`: true when the answer was status 200 (or a
// readable file: URL), complete within `limit`, accepted by `accept` when
// given, and written. The file is replaced atomically, only then; on any
// failure it is left as it was.
bool DownloadToFile(const QString& url, const QString& file, std::chrono::milliseconds limit = 3s,
                    const BodyCheck& accept = {});

// The body of a status-200 answer for `url` within `limit`; nullopt on any
// failure. Nothing is written to disk.
std::optional<QByteArray> FetchBytes(const QString& url, std::chrono::milliseconds limit);

// Makes sure the next fetch of `url` is not answered from the program's
// HTTP cache. A URL that was never cached is no error.
void ForgetCachedURL(const QString& url);

} // namespace FileDownload
