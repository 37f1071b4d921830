#pragma once

#include <QString>

#include <map>
#include <memory>

class QSettings;

// The per-user settings store: text values addressed by application,
// section and key. Each application is one INI file "<application>.conf" in
// the store's folder (~/.config/Varnocet/Varnocet.conf for the program).
// Changes are kept in memory until Sync, which replaces the file atomically.
class SettingsStore {
public:
    explicit SettingsStore(const QString& folder);
    ~SettingsStore();

    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    // The stored text, or `defaultValue` when the key is absent. Throws
    // ProgramError when the file exists but cannot be read.
    QString Get(const QString& application, const QString& section, const QString& key,
                const QString& defaultValue);
    void Save(const QString& application, const QString& section, const QString& key,
              const QString& value);
    // Removing a section that does not exist is not an error.
    void DeleteSection(const QString& application, const QString& section);

    // Writes every changed application file. Throws ProgramError, naming the
    // file, when one cannot be written; the old file is then left as it was.
    void Sync();

    QString FilePath(const QString& application) const;

private:
    QSettings& Storage(const QString& application);

    QString m_folder;
    std::map<QString, std::unique_ptr<QSettings>> m_files;
};
