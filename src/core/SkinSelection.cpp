#include "core/SkinSelection.h"

#include "config/Skin.h"

SkinSelection::SkinSelection(QObject* parent)
    : QObject(parent) {}

// Only the folders asked for are read, so start-up does not wait for a
// directory full of skins.
void SkinSelection::Load(const QString& directory, const QString& dirName) {
    if (dirName.isEmpty()) {
        Wear(directory, nullptr);
        return;
    }
    m_skins.SyncToDir(directory, false, false, dirName);
    if (m_skins.FindSkinByDirName(dirName) == nullptr)
        m_skins.SyncToDir(directory, false, false, QString::fromLatin1(FallbackSkin));
    Wear(directory, Chosen(dirName));
}

QStringList SkinSelection::Rescan(const QString& directory, const QString& dirName) {
    const QStringList messages = m_skins.SyncToDir(directory, true, true);
    Wear(directory, dirName.isEmpty() ? nullptr : Chosen(dirName));
    return messages;
}

void SkinSelection::Choose(const QString& directory, const QString& dirName) {
    const QString wearing = m_current != nullptr ? m_current->DirName : QString();
    if (dirName == wearing && directory == m_directory)
        return;
    // The skins known so far may have come from another directory, and
    // the chosen one may not have been read yet.
    if (directory != m_directory)
        m_skins.SyncToDir(directory, false, false);
    else if (!dirName.isEmpty())
        m_skins.SyncToDir(directory, false, false, dirName);
    Wear(directory, dirName.isEmpty() ? nullptr : m_skins.FindSkinByDirName(dirName));
}

std::shared_ptr<Skin> SkinSelection::Chosen(const QString& dirName) const {
    std::shared_ptr<Skin> skin = m_skins.FindSkinByDirName(dirName);
    return skin != nullptr ? skin : m_skins.FindSkinByDirName(QString::fromLatin1(FallbackSkin));
}

void SkinSelection::Wear(const QString& directory, std::shared_ptr<Skin> skin) {
    m_current = std::move(skin);
    m_directory = directory;
    emit CurrentChanged();
}
