#include "ui/ArrivalSound.h"

#include "platform/KnownFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

#ifdef VARNOCET_HAVE_MULTIMEDIA
#include <QSoundEffect>
#endif

ArrivalSound::ArrivalSound(QObject* parent)
    : QObject(parent) {}

QString ArrivalSound::MediaFolder() {
    const QString installed = QDir(KnownFolders::DataFolder()).filePath(QStringLiteral("sounds"));
    return QDir(installed).exists() ? installed : QStringLiteral("/usr/share/sounds");
}

QString ArrivalSound::Resolve(const QString& soundName, const QString& mediaFolder) {
    if (soundName.trimmed().isEmpty())
        return {};
    QString path = soundName;
    if (!QDir::isAbsolutePath(path) || path.startsWith(u'\\')) {
        path.replace(u'\\', u'/');
        while (path.startsWith(u'/'))
            path.remove(0, 1);
        path = QDir(mediaFolder).filePath(path);
    }
    const QFileInfo file(path);
    return file.isFile() ? file.absoluteFilePath() : QString();
}

void ArrivalSound::Play(const QString& soundName) {
    const QString file = Resolve(soundName, MediaFolder());
    if (file.isEmpty())
        return;
#ifdef VARNOCET_HAVE_MULTIMEDIA
    if (m_effect == nullptr)
        m_effect = new QSoundEffect(this);
    m_effect->setSource(QUrl::fromLocalFile(file));
    m_effect->play();
#endif
}
