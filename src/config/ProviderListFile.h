#pragma once

#include <QDateTime>
#include <QString>

class ProgressReporter;
class ProviderCollection;

// The user's providers file, "qtk_providers.xml" in the application-data
// folder, as start-up reads it.
namespace ProviderListFile {

QString DefaultPath();

enum class LoadResult { Loaded, Missing, Unreadable };

// Loads the file into `providers`. A file that exists but cannot be read,
// or that holds values that cannot be read (they take their defaults), is
// copied aside first ("<file>.bad-yyyyMMdd-hhmmss", stamped with `now`), so
// that nothing written afterwards can destroy the user's only copy, and the
// user is told once where the copy is.
LoadResult Load(ProviderCollection& providers, const QString& path, ProgressReporter* progress,
                const QDateTime& now);

} // namespace ProviderListFile
