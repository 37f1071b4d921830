#include "support/EventWait.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// The program itself, run as a user runs it, against a home folder of its
// own and without a display.
class ProgramRunTest : public ::testing::Test {
protected:
    void Start(QProcess& process) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("VARNOCET_HOME"), home.path());
        // In the sanitizer build the web engine's own findings would end the
        // program (see the test main); they are not this program's.
        environment.insert(QStringLiteral("ASAN_OPTIONS"),
                           QStringLiteral("new_delete_type_mismatch=0:detect_leaks=0"));
        // Nothing listens there: no master list reaches the program.
        environment.insert(QStringLiteral("VARNOCET_MASTER_LIST_URL"),
                           QStringLiteral("http://127.0.0.1:9/"));
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(VARNOCET_PROGRAM), {});
    }

    bool Finished(QProcess& process) {
        return WaitUntil([&] { return process.state() == QProcess::NotRunning; }, 30000);
    }

    QString ProvidersFile() const {
        return home.filePath(QStringLiteral("data/qtk_providers.xml"));
    }
    QString SettingsFile() const { return home.filePath(QStringLiteral("config/Varnocet.conf")); }

    // A list of one provider whose feed is not reachable: the program starts
    // without seeding from its catalogue, and never fetches from the internet.
    void WriteProviders() {
        QDir().mkpath(home.filePath(QStringLiteral("data")));
        QFile file(ProvidersFile());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("<providers><provider><providername>Quiet</providername>"
                   "<dataurl>http://127.0.0.1:9/feed</dataurl><category>News</category>"
                   "<uniqueid>1</uniqueid></provider></providers>");
    }

    QTemporaryDir home;
};

TEST_F(ProgramRunTest, ASecondStartLeavesTheFirstAloneAndATermSignalShutsDownCleanly) {
    WriteProviders();
    QProcess first;
    Start(first);
    // Start-up ends by writing the preferences and then the list, now with
    // its category.
    ASSERT_TRUE(WaitUntil(
        [&] {
            QFile file(ProvidersFile());
            return file.open(QIODevice::ReadOnly) && file.readAll().contains("<categoryname>");
        },
        30000));
    const QDateTime written = QFileInfo(ProvidersFile()).lastModified();

    QProcess second;
    Start(second);
    ASSERT_TRUE(Finished(second));
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(first.state(), QProcess::Running);
    EXPECT_EQ(QFileInfo(ProvidersFile()).lastModified(), written);

    QFile::remove(SettingsFile());
    first.terminate(); // SIGTERM, as at logout
    ASSERT_TRUE(Finished(first));
    EXPECT_EQ(first.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(first.exitCode(), 0);
    EXPECT_TRUE(QFileInfo::exists(SettingsFile())) << first.readAllStandardError().toStdString();
}

} // namespace
