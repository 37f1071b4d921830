#include "platform/SettingsStore.h"

#include "platform/KnownFolders.h"
#include "platform/ProgramError.h"

#include <QDir>
#include <QSettings>
#include <QStringList>

namespace {

QString KeyPath(const QString& section, const QString& key) {
    return section + QLatin1Char('/') + key;
}

} // namespace

SettingsStore::SettingsStore(const QString& folder)
    : m_folder(folder) {}

SettingsStore::~SettingsStore() = default;

QString SettingsStore::FilePath(const QString& application) const {
    return QDir(m_folder).filePath(application + QStringLiteral(".conf"));
}

QSettings& SettingsStore::Storage(const QString& application) {
    auto& settings = m_files[application];
    if (!settings) {
        // QSettings writes through a temporary file and a rename (atomic sync
        // is its default), so a crash never leaves half a store behind.
        settings = std::make_unique<QSettings>(FilePath(application), QSettings::IniFormat);
        settings->setAtomicSyncRequired(true);
    }
    return *settings;
}

QString SettingsStore::Get(const QString& application, const QString& section, const QString& key,
                           const QString& defaultValue) {
    QSettings& settings = Storage(application);
    if (settings.status() == QSettings::FormatError)
        throw ProgramError(QStringLiteral("cannot read ") + settings.fileName());
    const QVariant value = settings.value(KeyPath(section, key));
    if (!value.isValid())
        return defaultValue;
    // An unquoted text with commas, as a hand edit may leave it, reads as a list.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}

void SettingsStore::Save(const QString& application, const QString& section, const QString& key,
                         const QString& value) {
    Storage(application).setValue(KeyPath(section, key), value);
}

void SettingsStore::DeleteSection(const QString& application, const QString& section) {
    Storage(application).remove(section);
}

void SettingsStore::Sync() {
    // Created here rather than by QSettings, so that only the user can read
    // what the store holds (an e-mail address among other things).
    KnownFolders::EnsureFolder(m_folder);
    for (auto& [application, settings] : m_files) {
        settings->sync();
        if (settings->status() != QSettings::NoError)
            throw ProgramError(QStringLiteral("cannot write ") + settings->fileName());
    }
}
