#include "config/StoryStore.h"

#include "model/Provider.h"
#include "model/ProviderCollection.h"
#include "support/Scenario.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <map>
#include <memory>

namespace {

const QDateTime Start(QDate(2026, 12, 1), QTime(12, 0), Qt::UTC);

// A store in a folder of its own, its providers by name, and a day that
// the steps move on. Steps: see Run.
class StoreWorld {
public:
    explicit StoreWorld(const QJsonObject&) { Reopen(); }

    QJsonValue Run(const QJsonArray& step) {
        static const QStringList steps{"provider", "day",       "retain",    "load",
                                       "open",     "open all",  "keep only", "last load",
                                       "reopen",   "overwrite", "refuse",    "renew"};
        const QString name = step[0].toString();
        if (!steps.contains(name))
            throw std::invalid_argument("unknown step " + name.toStdString());
        if (name == u"provider")
            return Define(step[1].toString(), step[2], step[3].toString());
        if (name == u"day")
            m_day = step[1].toInt();
        if (name == u"retain")
            m_store->SetRetention({step[1].toInt(), step[2].toInt()});
        if (name == u"load")
            return Outcome(m_store->KeepLoad(Named(step[1]), Stories(step[2].toArray()), Now()));
        if (name == u"open")
            return Outcome(
                m_store->MarkOpened(Named(step[1]), step[2].toString(), Link(step[2].toString())));
        if (name == u"open all")
            return Outcome(m_store->MarkAllOpened(Named(step[1])));
        if (name == u"keep only")
            return Outcome(KeepOnly(step[1].toArray()));
        if (name == u"last load")
            return Titles(m_store->LastLoad(Named(step[1])));
        if (name == u"reopen")
            return Reopen();
        if (name == u"overwrite")
            return Overwrite(step[1].toString().toUtf8());
        if (name == u"refuse")
            Refuse(step[1].toString());
        if (name == u"renew")
            return Masked(m_store->Renew(Now()));
        return {};
    }

    // What the store holds, a story a line, and the files of its folder.
    QJsonObject Snapshot() {
        QStringList lines;
        for (const StoryStore::ProviderRecords& records : m_store->Contents())
            for (const StoryStore::Record& story : records.Stories)
                lines.append(Line(records, story));
        QJsonObject state{{"stored", QJsonArray::fromStringList(lines)},
                          {"files", QJsonArray::fromStringList(
                                        QDir(m_folder.path()).entryList(QDir::Files, QDir::Name))}};
        return Scenario::Changes(m_seen, state);
    }

private:
    QDateTime Now() const { return Start.addDays(m_day); }
    QString File() const { return m_folder.filePath("stories.sqlite"); }
    static QString Link(const QString& title) { return "http://news.example/" + title; }

    // "temporary" gives the provider an ID of the temporary range.
    QJsonValue Define(const QString& name, const QJsonValue& id, const QString& url) {
        auto& provider = m_providers[name];
        if (!provider)
            provider = std::make_shared<Provider>();
        provider->UniqueID = id.isString() ? Provider::TemporaryIDMask | 1 : id.toInt();
        provider->DataURL = url;
        return {};
    }

    Provider& Named(const QJsonValue& name) { return *m_providers.at(name.toString()); }

    // Titles; "Title*" is a story the user has opened.
    StoryCollection Stories(const QJsonArray& titles) const {
        StoryCollection stories;
        for (const QJsonValue& value : titles) {
            QString title = value.toString();
            const bool opened = title.endsWith(u'*');
            title.remove(u'*');
            stories.Add(title, title + " in brief", Link(title), Date::FromQDateTime(Start), 0,
                        true);
            stories.Item(stories.Count()).Opened = opened;
        }
        stories.Compress();
        return stories;
    }

    static QJsonValue Titles(const StoryCollection& stories) {
        QStringList titles;
        for (const Story& story : stories)
            titles.append(story.Title + (story.Opened ? "*" : "") + (story.NewStory ? " new" : ""));
        return QJsonArray::fromStringList(titles);
    }

    QJsonValue Outcome(bool done) const {
        return done ? QJsonValue() : QJsonValue("fails: " + m_store->LastError());
    }

    bool KeepOnly(const QJsonArray& names) {
        ProviderCollection list;
        for (const QJsonValue& name : names) {
            auto listed = std::make_shared<Provider>();
            listed->UniqueID = Named(name).UniqueID;
            listed->DataURL = Named(name).DataURL;
            list.Add(listed, ProviderCollection::TemporaryID::Keep);
        }
        return m_store->KeepOnly(list);
    }

    QJsonValue Reopen() {
        m_store.reset();
        m_store = std::make_unique<StoryStore>(File());
        return Masked(m_store->Open(Now()));
    }

    // The store closed, its file replaced by `bytes`, opened again.
    QJsonValue Overwrite(const QByteArray& bytes) {
        m_store.reset();
        QFile file(File());
        if (!file.open(QIODevice::ReadWrite) || file.write(bytes) != bytes.size())
            throw std::runtime_error("cannot overwrite the store");
        file.close();
        return Reopen();
    }

    // From now on the file refuses any story titled `title`, as a full
    // disk would refuse a write in the middle of a load.
    void Refuse(const QString& title) {
        {
            QSqlDatabase other = QSqlDatabase::addDatabase("QSQLITE", "refuse");
            other.setDatabaseName(File());
            QSqlQuery query(other);
            if (!other.open() ||
                !query.exec(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON stories "
                                           "WHEN NEW.title = '%1' BEGIN SELECT RAISE(ABORT, "
                                           "'database or disk is full'); END")
                                .arg(title)))
                throw std::runtime_error("cannot add the trigger");
        }
        QSqlDatabase::removeDatabase("refuse");
    }

    QJsonValue Masked(QString text) const {
        return text.isEmpty() ? QJsonValue()
                              : QJsonValue(text.replace(m_folder.path(), "<folder>"));
    }

    // "id 7: 1 Title* in brief, seen days 0-3" (position, or "older").
    static QString Line(const StoryStore::ProviderRecords& records,
                        const StoryStore::Record& story) {
        const QString key = records.UniqueID != 0 ? QStringLiteral("id %1").arg(records.UniqueID)
                                                  : "url " + records.DataURL;
        return QStringLiteral("%1: %2 %3%4 <%5> %6, seen days %7-%8")
            .arg(key,
                 story.Position > 0 ? QString::number(story.Position) : QStringLiteral("older"),
                 story.Title, story.Opened ? "*" : "", story.Link, story.Description)
            .arg(Start.daysTo(story.FirstSeen))
            .arg(Start.daysTo(story.LastSeen));
    }

    QTemporaryDir m_folder;
    std::unique_ptr<StoryStore> m_store;
    std::map<QString, std::shared_ptr<Provider>> m_providers;
    QJsonObject m_seen;
    int m_day = 0;
};

} // namespace

TEST(StoryStoreTest, ScenariosGiveTheirTranscripts) {
    Scenario::Walk<StoreWorld>("cases/story-store-scenarios.json", "config_tests");
}
