#pragma once

#include <QObject>
#include <QString>

class QSoundEffect;

// Plays a provider's arrival sound. The name comes from provider files and
// the master list, so it is only ever a file to play: a name that is not
// an existing regular file plays nothing. Names without a folder, and the
// "\Sound.wav" form older lists wrote, are looked up in the media folder.
class ArrivalSound : public QObject {
    Q_OBJECT

public:
    explicit ArrivalSound(QObject* parent = nullptr);

    // The program's sounds when they are installed, else the system's.
    static QString MediaFolder();
    // The file `soundName` names, or "" when there is no such regular file.
    static QString Resolve(const QString& soundName, const QString& mediaFolder);

    void Play(const QString& soundName);

private:
    QSoundEffect* m_effect = nullptr;
};
