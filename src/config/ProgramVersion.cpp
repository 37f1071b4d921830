#include "config/ProgramVersion.h"

#include <QVersionNumber>

QString ProgramVersionString() {
    return QVersionNumber(VARNOCET_VERSION_MAJOR, VARNOCET_VERSION_MINOR, VARNOCET_VERSION_PATCH)
        .toString();
}

bool IsNewerVersion(const QString& stored, const QString& running) {
    const QVersionNumber storedVersion = QVersionNumber::fromString(stored.trimmed());
    const QVersionNumber runningVersion = QVersionNumber::fromString(running.trimmed());
    if (storedVersion.isNull())
        return !runningVersion.isNull();
    return QVersionNumber::compare(storedVersion, runningVersion) < 0;
}

QString ProgramName() {
    return QStringLiteral("Varnocet");
}
