#pragma once

#include "core/ProgramCore.h"
#include "platform/SettingsStore.h"
#include "ui/WindowCommands.h"

#include <QAction>
#include <QMainWindow>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// The window's own actions over a program that has not started, for the
// views that show them.
class WindowActionsHost : public ::testing::Test {
protected:
    // Separators show as "-", so that a misplaced one stands out.
    static QStringList Captions(const QList<QAction*>& actions) {
        QStringList captions;
        for (const QAction* action : actions)
            captions.append(action->isSeparator() ? QStringLiteral("-") : action->text());
        return captions;
    }

    QTemporaryDir folder;
    SettingsStore store{folder.path()};
    ProgramCore core{store, folder.filePath(QStringLiteral("providers.xml"))};
    QMainWindow window;
    WindowCommands commands{core, window};
};
