#include "platform/AtomicFile.h"

#include <QSaveFile>

namespace AtomicFile {

bool Write(const QString& filePath, const QByteArray& bytes) {
    QSaveFile file(filePath);
    // Unbuffered: a short write (full disk, size limit) must show here. A
    // buffered QSaveFile flushes at commit and can report success for a
    // truncated file.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace AtomicFile
