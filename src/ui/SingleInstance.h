#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

// One running program per home folder: two would overwrite each other's
// provider list. The first start holds a lock file in the configuration
// folder and listens on a local socket; a later start finds the lock taken,
// asks the running program to come to the front, and ends.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    explicit SingleInstance(const QString& configurationFolder, QObject* parent = nullptr);

    // True when this is the program's only run for the folder; false when
    // another runs (it has been asked to show itself).
    bool Claim();

Q_SIGNALS:
    // A later start asked this run to bring its window to the front.
    void RaiseRequested();

private:
    void AskRunningInstanceToRaise() const;

    QLockFile m_lock;
    QString m_serverName;
    QLocalServer m_server;
};
