#pragma once

#include "model/StoryCollection.h"
#include "platform/Date.h"
#include "platform/Types.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QString>
#include <QVariantList>

#include <functional>
#include <optional>
#include <vector>

class Provider;
class ProviderCollection;
class QSqlError;
class QSqlQuery;

// The headlines of every provider's last load, and older ones up to the
// retention limits, kept across runs in one SQLite file written ahead
// through its log, so that a run killed at any moment leaves a file that
// opens with either the load before or the load being written.
//
// A provider is found by its permanent ID; while its ID is temporary (one a
// run hands out afresh) by its data URL, and its stories move to its ID when
// it gets one. Nothing here throws: a failure leaves the store as it was
// and LastError says why.
class StoryStore {
public:
    struct Retention {
        // Stories per provider, those of the last load counted first; a
        // longer last load is kept whole.
        int Stories = 200;
        // Older stories not seen in a load for longer than this go.
        int Days = 60;
    };

    // One stored story, as the store keeps it.
    struct Record {
        QString Title;
        QString Description;
        QString Link;
        Date Time;
        Integer Comments = 0;
        QDateTime FirstSeen;
        QDateTime LastSeen;
        bool Opened = false;
        // Its place in the last load, from 1; 0 for an older story.
        int Position = 0;
    };

    // A provider's records, by how the store knows it.
    struct ProviderRecords {
        // 0 while the provider's ID was temporary.
        Long UniqueID = 0;
        QString DataURL;
        std::vector<Record> Stories;
    };

    explicit StoryStore(const QString& filePath);
    ~StoryStore();
    StoryStore(const StoryStore&) = delete;
    StoryStore& operator=(const StoryStore&) = delete;

    // Opens the file, making it when it is missing. A file that is not a
    // store or is damaged is moved aside (".bad-" and the time `now`) and a
    // fresh one is made: the text returned tells the user so; it is empty
    // when the store opened as it was. When not even a fresh store can be
    // made, the store stays closed and every call does nothing.
    QString Open(const QDateTime& now);
    // A store found damaged while in use (Damaged) is moved aside and a
    // fresh one started, as Open does; the text tells the user.
    QString Renew(const QDateTime& now);
    // Opens an existing store for reading only, while the program may be
    // writing it: nothing is made, changed or moved aside. False, with
    // LastError saying why, when the file is missing or is no store.
    bool OpenReadOnly();
    bool IsOpen() const { return m_database.isOpen(); }
    // The last failure was a damaged file rather than, say, a full disk.
    bool Damaged() const { return m_damaged; }
    const QString& FilePath() const { return m_filePath; }
    QString LastError() const { return m_error; }

    void SetRetention(Retention retention) { m_retention = retention; }

    // The stories of the provider's last load, in feed order, none of them
    // new; empty when nothing is stored.
    StoryCollection LastLoad(const Provider& provider);
    // A completed load, in one transaction: the stories are stored as the
    // last load (a title seen before keeps its first-seen time and opened
    // state), then older stories beyond the retention limits go.
    bool KeepLoad(const Provider& provider, const StoryCollection& stories, const QDateTime& now);
    bool MarkOpened(const Provider& provider, const QString& title, const QString& link);
    bool MarkAllOpened(const Provider& provider);
    // Forgets every provider the list no longer has.
    bool KeepOnly(const ProviderCollection& providers);

    // Everything stored, or one provider's records by its permanent ID.
    std::vector<ProviderRecords> Contents(std::optional<Long> uniqueID = std::nullopt);

private:
    bool DriverAvailable();
    void Attach(const QString& options);
    bool Connect();
    bool Prepare();
    bool Execute(QSqlQuery& query);
    bool Fail(const QSqlError& error);
    QString MoveAside(const QString& reason, const QDateTime& now);
    std::optional<qint64> FindProvider(const Provider& provider);
    std::optional<qint64> ProviderRow(const Provider& provider);
    bool StoreStories(qint64 row, const StoryCollection& stories, qint64 now);
    bool Prune(qint64 row, qsizetype lastLoad, qint64 now);
    // The rows of the providers the list no longer has.
    std::optional<QVariantList> Unlisted(const ProviderCollection& providers);
    bool Transaction(const std::function<bool()>& work);
    bool SetOpened(const Provider& provider, const QString& which, const QVariantList& values);

    QString m_filePath;
    QString m_connection;
    QSqlDatabase m_database;
    Retention m_retention;
    QString m_error;
    bool m_damaged = false;
};
