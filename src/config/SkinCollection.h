#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

class Skin;

// The skins found in the skin directory, keyed by folder name, in the order
// their folders were first found. Windows hold on to the skin they wear, so
// a skin dropped by a later scan stays valid for them.
class SkinCollection {
public:
    SkinCollection();
    ~SkinCollection();
    SkinCollection(const SkinCollection&) = delete;
    SkinCollection& operator=(const SkinCollection&) = delete;

    // Reads the skins of `directory`. With `onlyDirName` empty, every folder
    // is read (in name order, so the list does not change from run to run)
    // and skins whose folders are gone or no longer parse are dropped;
    // otherwise only that folder is read. Skins already known are parsed
    // again only on `reload`, or when they were read from another directory. Returns the messages
    // for the user when `showErrors` is set: one per skin that could not be read, and one for a
    // directory that cannot be read, once for the same directory.
    QStringList SyncToDir(const QString& directory, bool reload, bool showErrors,
                          const QString& onlyDirName = {});

    void Add(std::shared_ptr<Skin> skin);
    // 1-based.
    const std::shared_ptr<Skin>& Item(qsizetype index) const { return m_skins.at(index - 1); }
    qsizetype Count() const { return m_skins.size(); }
    void Remove(qsizetype index) { m_skins.removeAt(index - 1); }
    auto begin() const { return m_skins.cbegin(); }
    auto end() const { return m_skins.cend(); }

    std::shared_ptr<Skin> FindSkinByDirName(const QString& name) const;
    std::shared_ptr<Skin> FindSkinByDisplayName(const QString& name) const;

private:
    // Reads the folder `name`; the message for the user when it fails (empty
    // when the failure goes unmentioned).
    QString ReadFolder(const QString& directory, const QString& name, bool reload);
    void DropStale();

    QList<std::shared_ptr<Skin>> m_skins;
    // The directory of the last scan.
    QString m_directory;
    QString m_unreadableDirectory;
};
