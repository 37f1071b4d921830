#pragma once

#include "ui/DesktopActions.h"

#include <QList>
#include <QUrl>

// Stands in for the desktop's opener: records what it is asked to open and
// answers `opens`.
class RecordingOpener {
public:
    DesktopActions::Opener Opener(bool opens = true) {
        return [this, opens](const QUrl& url) {
            Opened.append(url);
            return opens;
        };
    }

    QList<QUrl> Opened;
};
