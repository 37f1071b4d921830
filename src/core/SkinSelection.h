#pragma once

#include "config/SkinCollection.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class Skin;

// The skins the program knows and the one its windows wear. Start-up reads
// only the chosen skin's folder; the settings dialog's full scan and a
// rescan fill in the rest.
class SkinSelection : public QObject {
    Q_OBJECT

public:
    // The skin worn when the chosen one is not installed.
    static constexpr const char* FallbackSkin = "Torvane";

    explicit SkinSelection(QObject* parent = nullptr);

    SkinCollection& Skins() { return m_skins; }
    // Null: the desktop's own window frame.
    const std::shared_ptr<Skin>& Current() const { return m_current; }
    // The skin directory the current skin was read from.
    const QString& Directory() const { return m_directory; }

    // The skin `dirName` (empty: none) read from `directory`, or the
    // fallback skin when it is not there.
    void Load(const QString& directory, const QString& dirName);
    // Reads every skin of `directory` again and wears `dirName` (or the
    // fallback) afresh, for a user who has just changed a skin's files.
    // The messages for the user about skins that could not be read.
    QStringList Rescan(const QString& directory, const QString& dirName);
    // The skin picked in the settings dialog; a change of skin or directory
    // is announced.
    void Choose(const QString& directory, const QString& dirName);

signals:
    void CurrentChanged();

private:
    // `dirName` when the collection has it, else the fallback skin, or null.
    std::shared_ptr<Skin> Chosen(const QString& dirName) const;
    void Wear(const QString& directory, std::shared_ptr<Skin> skin);

    SkinCollection m_skins;
    std::shared_ptr<Skin> m_current;
    QString m_directory;
};
