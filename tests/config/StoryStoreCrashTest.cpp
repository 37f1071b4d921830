// A writer killed at any moment leaves a store that opens as it is, passes
// SQLite's own integrity check and holds one of the two loads it writes in
// turn, whole.
#include "config/StoryStore.h"
#include "support/AlternatingLoads.h"
#include "support/StoryTitles.h"

#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// What SQLite finds checking the whole file, through a connection of its own.
QString IntegrityCheck(const QString& file) {
    const QString name = QStringLiteral("integrity-check");
    QString verdict;
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        database.setDatabaseName(file);
        QSqlQuery query(database);
        if (database.open() && query.exec(QStringLiteral("PRAGMA integrity_check")) && query.next())
            verdict = query.value(0).toString();
    }
    QSqlDatabase::removeDatabase(name);
    return verdict;
}

// Runs the writer until it has reported `commits` commits, then kills it at
// once, most likely inside the next one.
void KillAfter(int commits, const QString& file) {
    QProcess writer;
    writer.start(QStringLiteral(VARNOCET_STORY_WRITER), {file});
    int seen = 0;
    // The wait's limit only keeps a broken writer from hanging the test.
    while (seen < commits && writer.waitForReadyRead(60'000)) {
        while (writer.canReadLine() && writer.readLine().endsWith('\n'))
            ++seen;
    }
    writer.kill();
    writer.waitForFinished();
    ASSERT_GE(seen, commits) << writer.readAllStandardError().toStdString();
}

TEST(StoryStoreCrashTest, AWriterKilledMidWriteLeavesOneWholeLoad) {
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("stories.sqlite"));
    Provider provider;
    AlternatingLoads::Describe(provider);
    const QStringList loads[] = {StoryTitles(AlternatingLoads::Load(0)),
                                 StoryTitles(AlternatingLoads::Load(1))};
    for (int round = 0; round < 20; ++round) {
        SCOPED_TRACE(round);
        // A different number of commits before each kill.
        KillAfter(1 + round * 7 % 11, file);
        if (testing::Test::HasFatalFailure())
            return;
        StoryStore store(file);
        ASSERT_EQ(store.Open(QDateTime()).toStdString(), "");
        EXPECT_EQ(IntegrityCheck(file).toStdString(), "ok");
        const QStringList last = StoryTitles(store.LastLoad(provider));
        EXPECT_TRUE(last == loads[0] || last == loads[1])
            << last.size() << " stories, from " << last.value(0).toStdString() << " to "
            << last.value(last.size() - 1).toStdString();
    }
}

} // namespace
