#pragma once

#include <QByteArray>
#include <QString>

// Files the user owns are replaced whole: the bytes go to a temporary file in
// the same folder, which is flushed and renamed over the target. A crash, a
// full disk or a failed write leaves the previous file as it was.
namespace AtomicFile {

bool Write(const QString& filePath, const QByteArray& bytes);

} // namespace AtomicFile
