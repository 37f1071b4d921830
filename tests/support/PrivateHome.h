#pragma once

#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

// Gives the test process a home folder of its own for as long as it runs.
// Test mode already keeps tests out of the user's real folders, but every
// test process would share the one test-mode folder in the home folder: a
// response cached by one test (or by an earlier run on the same port) would
// answer another. Each test runs in a process of its own, so this keeps
// tests that run at once, or one after the other, apart.
class PrivateHome {
public:
    PrivateHome() {
        qputenv("HOME", QFile::encodeName(m_folder.path()));
        QStandardPaths::setTestModeEnabled(true);
    }

private:
    QTemporaryDir m_folder;
};
