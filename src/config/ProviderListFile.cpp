#include "config/ProviderListFile.h"

#include "model/ProviderCollection.h"
#include "platform/KnownFolders.h"
#include "platform/MessageBox.h"

#include <QDir>
#include <QFile>

namespace {

QString CopyAside(const QString& path, const QDateTime& now) {
    const QString copy =
        path + QStringLiteral(".bad-") + now.toString(QStringLiteral("yyyyMMdd-hhmmss"));
    return QFile::copy(path, copy) ? copy : QString();
}

void TellAboutCopy(const QString& problem, const QString& copy) {
    MessageBox::Show(problem +
                     (copy.isEmpty()
                          ? QStringLiteral("\r\n\r\nNo copy of the file could be made.")
                          : QStringLiteral("\r\n\r\nThe file as it was is kept as %1.").arg(copy)));
}

QString ParseProblem(const QString& path, const XmlDocument::ParseError& error) {
    return QStringLiteral("Your provider list %1 could not be read (line %2, column %3: %4).")
        .arg(path)
        .arg(error.Line)
        .arg(error.LinePos)
        .arg(error.Reason);
}

} // namespace

namespace ProviderListFile {

QString DefaultPath() {
    return QDir(KnownFolders::ApplicationData()).filePath(QStringLiteral("qtk_providers.xml"));
}

LoadResult Load(ProviderCollection& providers, const QString& path, ProgressReporter* progress,
                const QDateTime& now) {
    if (providers.ReadFile(path, progress, true)) {
        // The defaults would replace the unreadable values at the next save.
        if (providers.LastLoadLostValues())
            TellAboutCopy(ProviderCollection::LostValuesMessage(path), CopyAside(path, now));
        return LoadResult::Loaded;
    }
    if (!QFile::exists(path))
        return LoadResult::Missing;
    TellAboutCopy(ParseProblem(path, providers.LastLoadError()), CopyAside(path, now));
    return LoadResult::Unreadable;
}

} // namespace ProviderListFile
