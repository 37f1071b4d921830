#include "config/ProgramVersion.h"

#include <QStringList>
#include <QVersionNumber>

namespace {

Integer VersionPart(const QString& part) {
    bool ok = false;
    const Integer number = part.trimmed().toShort(&ok);
    return ok ? number : Integer(0);
}

} // namespace

ProgramVersion ParseVersion(const QString& text) {
    const QStringList parts = text.split(u'.');
    // Whatever follows the second "." is the revision, dots included.
    const QString revision = parts.size() > 2 ? parts.mid(2).join(u'.') : QString();
    return {VersionPart(parts.value(0)), VersionPart(parts.value(1)), VersionPart(revision)};
}

QString ProgramVersionString() {
    return QVersionNumber(VARNOCET_VERSION_MAJOR, VARNOCET_VERSION_MINOR, VARNOCET_VERSION_PATCH)
        .toString();
}

bool IsNewerVersion(const QString& stored, const QString& running) {
    return ParseVersion(stored) < ParseVersion(running);
}

QString ProgramName() {
    return QStringLiteral("Varnocet");
}
