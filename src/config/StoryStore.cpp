#include "config/StoryStore.h"

#include "model/Provider.h"
#include "model/ProviderCollection.h"
#include "platform/KnownFolders.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace {

const QString Driver = QStringLiteral("QSQLITE");

// SQLite's result codes for a file that is damaged or is no database.
const QString Corrupt = QStringLiteral("11");
const QString NotADatabase = QStringLiteral("26");

// Stories are keyed by provider, title and link: a title is what marks a
// story as seen before, and a feed that repeats a title for another link
// keeps both rows. Without a rowid the key is the table itself, which keeps
// the file close to the size of the text it holds.
const char* const Schema[] = {
    "PRAGMA journal_mode=WAL",
    // With the log, a commit survives the program being killed; only a
    // power cut may take back the last one.
    "PRAGMA synchronous=NORMAL",
    "CREATE TABLE IF NOT EXISTS providers("
    " id INTEGER PRIMARY KEY,"
    " unique_id INTEGER UNIQUE,"
    " data_url TEXT NOT NULL)",
    "CREATE INDEX IF NOT EXISTS providers_by_url ON providers(data_url)",
    "CREATE TABLE IF NOT EXISTS stories("
    " provider INTEGER NOT NULL,"
    " title TEXT NOT NULL,"
    " link TEXT NOT NULL,"
    " description TEXT NOT NULL,"
    " time REAL NOT NULL,"
    " comments INTEGER NOT NULL,"
    " first_seen INTEGER NOT NULL,"
    " last_seen INTEGER NOT NULL,"
    " position INTEGER NOT NULL,"
    " opened INTEGER NOT NULL,"
    " PRIMARY KEY(provider, title, link)) WITHOUT ROWID",
};

QString Stamp(const QDateTime& now) {
    return now.toUTC().toString(QStringLiteral("yyyyMMdd-hhmmss"));
}

QDateTime FromSeconds(qint64 seconds) {
    return QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC);
}

// The file and the log beside it, named alike.
bool MoveWithLog(const QString& from, const QString& to) {
    if (!QFile::rename(from, to))
        return false;
    for (const QString& suffix : {QStringLiteral("-wal"), QStringLiteral("-shm")}) {
        if (QFile::exists(from + suffix) && !QFile::rename(from + suffix, to + suffix))
            QFile::remove(from + suffix);
    }
    return true;
}

// Qt binds a null string as SQL's NULL; an empty text is still a text.
QVariant Text(const QString& text) {
    return text.isNull() ? QVariant(QStringLiteral("")) : QVariant(text);
}

int ConnectionNumber() {
    static int count = 0;
    return ++count;
}

} // namespace

StoryStore::StoryStore(const QString& filePath)
    : m_filePath(filePath)
    , m_connection(QStringLiteral("stories-%1").arg(ConnectionNumber())) {}

StoryStore::~StoryStore() {
    m_database.close();
    m_database = QSqlDatabase();
    if (QSqlDatabase::contains(m_connection))
        QSqlDatabase::removeDatabase(m_connection);
}

QString StoryStore::Open(const QDateTime& now) {
    if (!DriverAvailable())
        return QStringLiteral("Headlines are not kept in this run: %1.").arg(m_error);
    if (Connect())
        return QString();
    return MoveAside(m_error, now);
}

QString StoryStore::Renew(const QDateTime& now) {
    return MoveAside(m_error, now);
}

bool StoryStore::OpenReadOnly() {
    m_error.clear();
    if (!DriverAvailable())
        return false;
    // Without the create flag a missing file stays missing.
    Attach(QStringLiteral("QSQLITE_OPEN_READONLY"));
    if (!m_database.open())
        return Fail(m_database.lastError());
    // Any file opens; only reading it tells a store from something else.
    QSqlQuery query(m_database);
    if (query.exec(QStringLiteral("SELECT 1 FROM providers, stories LIMIT 0")))
        return true;
    Fail(query.lastError());
    m_database.close();
    return false;
}

bool StoryStore::DriverAvailable() {
    if (QSqlDatabase::isDriverAvailable(Driver))
        return true;
    m_error = QStringLiteral("Qt's SQLite driver is not installed");
    return false;
}

void StoryStore::Attach(const QString& options) {
    m_database = QSqlDatabase::contains(m_connection)
                     ? QSqlDatabase::database(m_connection, false)
                     : QSqlDatabase::addDatabase(Driver, m_connection);
    m_database.setDatabaseName(m_filePath);
    m_database.setConnectOptions(options);
}

bool StoryStore::Connect() {
    Attach(QString());
    m_damaged = false;
    // The data folder of a first run is made by whoever writes first.
    KnownFolders::EnsureFolder(QFileInfo(m_filePath).absolutePath());
    if (!m_database.open())
        return Fail(m_database.lastError());
    for (const char* statement : Schema) {
        QSqlQuery query(m_database);
        if (!query.exec(QString::fromLatin1(statement))) {
            Fail(query.lastError());
            m_database.close();
            return false;
        }
    }
    return true;
}

QString StoryStore::MoveAside(const QString& reason, const QDateTime& now) {
    m_database.close();
    const QString copy = m_filePath + QStringLiteral(".bad-") + Stamp(now);
    const QString problem =
        QStringLiteral("The stored headlines in %1 could not be read%2.")
            .arg(m_filePath, reason.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(reason));
    if (QFile::exists(m_filePath) && !MoveWithLog(m_filePath, copy))
        return problem + QStringLiteral(" The file could not be moved aside; headlines are not "
                                        "kept in this run.");
    if (!Connect())
        return problem + QStringLiteral(" No fresh store could be made (%1); headlines are not "
                                        "kept in this run.")
                             .arg(m_error);
    return problem +
           QStringLiteral(" The file is kept as %1 and a fresh store was started.").arg(copy);
}

bool StoryStore::Fail(const QSqlError& error) {
    // The driver's own words ("Unable to fetch row") add nothing for the
    // user to what SQLite said.
    m_error = (error.databaseText().isEmpty() ? error.text() : error.databaseText()).trimmed();
    const QString code = error.nativeErrorCode();
    if (code == Corrupt || code == NotADatabase)
        m_damaged = true;
    return false;
}

bool StoryStore::Execute(QSqlQuery& query) {
    return query.exec() || Fail(query.lastError());
}

bool StoryStore::Transaction(const std::function<bool()>& work) {
    if (!IsOpen())
        return false;
    if (!m_database.transaction())
        return Fail(m_database.lastError());
    if (work() && m_database.commit())
        return true;
    if (m_error.isEmpty())
        Fail(m_database.lastError());
    m_database.rollback();
    return false;
}

std::optional<qint64> StoryStore::FindProvider(const Provider& provider) {
    QSqlQuery query(m_database);
    const bool temporary = Provider::IsTemporaryID(provider.UniqueID);
    if (!temporary) {
        query.prepare(QStringLiteral("SELECT id FROM providers WHERE unique_id = ?"));
        query.addBindValue(provider.UniqueID);
        if (!Execute(query))
            return std::nullopt;
        if (query.next())
            return query.value(0).toLongLong();
    }
    query.prepare(
        QStringLiteral("SELECT id FROM providers WHERE unique_id IS NULL AND data_url = ?"));
    query.addBindValue(Text(provider.DataURL));
    if (!Execute(query) || !query.next())
        return std::nullopt;
    const qint64 row = query.value(0).toLongLong();
    if (temporary)
        return row;
    // The provider has been given its permanent ID since its stories were
    // kept under its address.
    QSqlQuery rekey(m_database);
    rekey.prepare(QStringLiteral("UPDATE providers SET unique_id = ? WHERE id = ?"));
    rekey.addBindValue(provider.UniqueID);
    rekey.addBindValue(row);
    if (!Execute(rekey))
        return std::nullopt;
    return row;
}

std::optional<qint64> StoryStore::ProviderRow(const Provider& provider) {
    if (const auto row = FindProvider(provider))
        return row;
    if (!m_error.isEmpty())
        return std::nullopt;
    QSqlQuery query(m_database);
    query.prepare(QStringLiteral("INSERT INTO providers(unique_id, data_url) VALUES(?, ?)"));
    query.addBindValue(Provider::IsTemporaryID(provider.UniqueID) ? QVariant()
                                                                  : QVariant(provider.UniqueID));
    query.addBindValue(Text(provider.DataURL));
    if (!Execute(query))
        return std::nullopt;
    return query.lastInsertId().toLongLong();
}

StoryCollection StoryStore::LastLoad(const Provider& provider) {
    StoryCollection stories;
    m_error.clear();
    if (!IsOpen())
        return stories;
    const auto row = FindProvider(provider);
    if (!row)
        return stories;
    QSqlQuery query(m_database);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT title, description, link, time, comments, opened "
                                 "FROM stories WHERE provider = ? AND position > 0 "
                                 "ORDER BY position"));
    query.addBindValue(*row);
    if (!Execute(query))
        return stories;
    while (query.next()) {
        if (!stories.Add(query.value(0).toString(), query.value(1).toString(),
                         query.value(2).toString(), Date::FromDays(query.value(3).toDouble()),
                         static_cast<Integer>(query.value(4).toInt()), false))
            break;
        stories.Item(stories.Count()).Opened = query.value(5).toBool();
    }
    stories.Compress();
    return stories;
}

bool StoryStore::KeepLoad(const Provider& provider, const StoryCollection& stories,
                          const QDateTime& now) {
    m_error.clear();
    return Transaction([&] {
        const auto row = ProviderRow(provider);
        const qint64 seconds = now.toSecsSinceEpoch();
        return row && StoreStories(*row, stories, seconds) && Prune(*row, stories.Count(), seconds);
    });
}

bool StoryStore::StoreStories(qint64 row, const StoryCollection& stories, qint64 now) {
    QSqlQuery query(m_database);
    query.prepare(QStringLiteral("UPDATE stories SET position = 0 WHERE provider = ?"));
    query.addBindValue(row);
    if (!Execute(query))
        return false;
    query.prepare(QStringLiteral(
        "INSERT INTO stories(provider, title, link, description, time, comments, first_seen, "
        "last_seen, position, opened) VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?) "
        "ON CONFLICT(provider, title, link) DO UPDATE SET description = excluded.description, "
        "time = excluded.time, comments = excluded.comments, last_seen = excluded.last_seen, "
        "position = excluded.position, opened = MAX(opened, excluded.opened)"));
    for (qsizetype index = 1; index <= stories.Count(); ++index) {
        const Story& story = stories.Item(index);
        for (const QVariant& value :
             {QVariant(row), Text(story.Title), Text(stories.ItemURL(index)),
              Text(story.Description), QVariant(story.Time.Days()),
              QVariant(static_cast<qint64>(story.Comments)), QVariant(now), QVariant(now),
              QVariant(index), QVariant(story.Opened)})
            query.addBindValue(value);
        if (!Execute(query))
            return false;
    }
    return true;
}

bool StoryStore::Prune(qint64 row, qsizetype lastLoad, qint64 now) {
    QSqlQuery query(m_database);
    query.prepare(QStringLiteral(
        "DELETE FROM stories WHERE provider = ? AND position = 0 AND last_seen < ?"));
    query.addBindValue(row);
    query.addBindValue(now - qint64(m_retention.Days) * 24 * 60 * 60);
    if (!Execute(query))
        return false;
    query.prepare(QStringLiteral(
        "DELETE FROM stories WHERE provider = ? AND position = 0 AND (title, link) IN "
        "(SELECT title, link FROM stories WHERE provider = ? AND position = 0 "
        "ORDER BY last_seen DESC, title LIMIT -1 OFFSET ?)"));
    query.addBindValue(row);
    query.addBindValue(row);
    query.addBindValue(std::max<qint64>(0, m_retention.Stories - lastLoad));
    return Execute(query);
}

bool StoryStore::MarkOpened(const Provider& provider, const QString& title, const QString& link) {
    return SetOpened(provider, QStringLiteral(" AND title = ? AND link = ?"),
                     {Text(title), Text(link)});
}

bool StoryStore::MarkAllOpened(const Provider& provider) {
    return SetOpened(provider, QString(), {});
}

// A provider with nothing stored has nothing to mark, which is no failure.
bool StoryStore::SetOpened(const Provider& provider, const QString& which,
                           const QVariantList& values) {
    m_error.clear();
    return Transaction([&] {
        const auto row = FindProvider(provider);
        if (!row)
            return m_error.isEmpty();
        QSqlQuery query(m_database);
        query.prepare(QStringLiteral("UPDATE stories SET opened = 1 WHERE provider = ?") + which);
        query.addBindValue(*row);
        for (const QVariant& value : values)
            query.addBindValue(value);
        return Execute(query);
    });
}

std::optional<QVariantList> StoryStore::Unlisted(const ProviderCollection& providers) {
    QSet<Long> ids;
    for (const auto& provider : providers)
        ids.insert(provider->UniqueID);
    // Addresses matter only for stories kept while an ID was temporary.
    QSet<QString> urls;
    QSqlQuery query(m_database);
    query.setForwardOnly(true);
    if (!query.exec(
            QStringLiteral("SELECT id, unique_id, "
                           "CASE WHEN unique_id IS NULL THEN data_url END FROM providers"))) {
        Fail(query.lastError());
        return std::nullopt;
    }
    QVariantList unlisted;
    while (query.next()) {
        const QVariant id = query.value(1);
        if (!id.isNull()) {
            if (!ids.contains(static_cast<Long>(id.toLongLong())))
                unlisted.append(query.value(0));
            continue;
        }
        if (urls.isEmpty()) {
            for (const auto& provider : providers)
                urls.insert(Text(provider->DataURL).toString());
        }
        if (!urls.contains(query.value(2).toString()))
            unlisted.append(query.value(0));
    }
    return unlisted;
}

bool StoryStore::KeepOnly(const ProviderCollection& providers) {
    m_error.clear();
    if (!IsOpen())
        return false;
    // Found outside a transaction, so that a start-up with nothing to forget
    // writes nothing.
    const auto unlisted = Unlisted(providers);
    if (!unlisted || unlisted->isEmpty())
        return unlisted.has_value();
    return Transaction([&] {
        QSqlQuery stories(m_database);
        QSqlQuery rows(m_database);
        stories.prepare(QStringLiteral("DELETE FROM stories WHERE provider = ?"));
        rows.prepare(QStringLiteral("DELETE FROM providers WHERE id = ?"));
        for (const QVariant& row : *unlisted) {
            stories.addBindValue(row);
            rows.addBindValue(row);
            if (!Execute(stories) || !Execute(rows))
                return false;
        }
        return true;
    });
}

std::vector<StoryStore::ProviderRecords> StoryStore::Contents(std::optional<Long> uniqueID) {
    std::vector<ProviderRecords> contents;
    m_error.clear();
    if (!IsOpen())
        return contents;
    QSqlQuery query(m_database);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral(
        "SELECT p.id, p.unique_id, p.data_url, s.title, s.description, s.link, s.time, "
        "s.comments, s.first_seen, s.last_seen, s.opened, s.position FROM providers p "
        "JOIN stories s ON s.provider = p.id WHERE ? IS NULL OR p.unique_id = ? "
        "ORDER BY p.id, s.position = 0, s.position, s.last_seen DESC, s.title"));
    const QVariant wanted = uniqueID ? QVariant(*uniqueID) : QVariant();
    query.addBindValue(wanted);
    query.addBindValue(wanted);
    if (!Execute(query))
        return contents;
    qint64 current = -1;
    while (query.next()) {
        if (query.value(0).toLongLong() != current) {
            current = query.value(0).toLongLong();
            contents.push_back({query.value(1).toInt(), query.value(2).toString(), {}});
        }
        contents.back().Stories.push_back(
            {query.value(3).toString(), query.value(4).toString(), query.value(5).toString(),
             Date::FromDays(query.value(6).toDouble()),
             static_cast<Integer>(query.value(7).toInt()), FromSeconds(query.value(8).toLongLong()),
             FromSeconds(query.value(9).toLongLong()), query.value(10).toBool(),
             query.value(11).toInt()});
    }
    return contents;
}
