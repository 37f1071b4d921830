#include "support/EventWait.h"
#include "support/TestData.h"
#include "support/TestHttpServer.h"

#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

constexpr int StartLimitMs = 60000;

// The program itself, run as a user runs it, against a home folder of its
// own, a feed server in this process and no display.
class ProgramRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        server.Serve("/feed", "<rss version=\"2.0\"><channel><title>Local</title>"
                              "<link>" +
                                  server.Url("/").toEncoded() +
                                  "</link>"
                                  "<item><title>First story</title><link>" +
                                  server.Url("/story1").toEncoded() +
                                  "</link></item>"
                                  "<item><title>Second story</title><link>" +
                                  server.Url("/story2").toEncoded() +
                                  "</link></item></channel></rss>");
        server.Serve("/story1", "<html><body>First</body></html>", "text/html");
    }

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

    static bool Finished(QProcess& process) {
        return WaitUntil([&] { return process.state() == QProcess::NotRunning; }, StartLimitMs);
    }

    QString ProvidersFile() const {
        return home.filePath(QStringLiteral("data/qtk_providers.xml"));
    }
    QString SettingsFile() const { return home.filePath(QStringLiteral("config/Varnocet.conf")); }

    QByteArray ProvidersText() const { return TestData::ReadFile(ProvidersFile()); }

    TestHttpServer server;
    QTemporaryDir home;
};

TEST_F(ProgramRunTest, LoadsTheFeedKeepsASecondStartOutAndWritesEverythingOnATermSignal) {
    // One provider, reading the local feed; the program starts without
    // seeding from its catalogue and never fetches from the internet.
    TestData::Write(ProvidersFile(),
                    "<providers><provider><providername>Local</providername><dataurl>" +
                        server.Url("/feed").toEncoded() +
                        "</dataurl><category>News</category><uniqueid>1</uniqueid>"
                        "</provider></providers>");
    QProcess first;
    Start(first);
    // The pane asks for the first story only once the feed has been read.
    ASSERT_TRUE(WaitUntil([&] { return server.RequestCount("/story1") > 0; }, StartLimitMs))
        << first.readAllStandardError().toStdString();
    // Start-up chose the current category and wrote only the settings for
    // it: the list itself had not changed.
    ASSERT_EQ(QSettings(SettingsFile(), QSettings::IniFormat)
                  .value(QStringLiteral("Settings/CurrentCategory"))
                  .toString(),
              "News");
    ASSERT_FALSE(ProvidersText().contains("<categoryname>"));
    const QDateTime written = QFileInfo(ProvidersFile()).lastModified();

    QProcess second;
    Start(second);
    ASSERT_TRUE(Finished(second));
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(first.state(), QProcess::Running);
    EXPECT_EQ(QFileInfo(ProvidersFile()).lastModified(), written);

    first.terminate(); // SIGTERM, as at logout
    ASSERT_TRUE(Finished(first));
    EXPECT_EQ(first.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(first.exitCode(), 0);
    const QByteArray providers = ProvidersText();
    EXPECT_TRUE(providers.contains("<attemptedupdates>1</attemptedupdates>")) << providers.data();
    // Written only where it differs from the attempts: the one load succeeded.
    EXPECT_FALSE(providers.contains("<successfulupdates>"));
    EXPECT_TRUE(providers.contains("<lastloadduration>"));
    QSettings store(SettingsFile(), QSettings::IniFormat);
    EXPECT_EQ(store.value(QStringLiteral("Settings/CurrentProvider")).toString(), "Local");
    EXPECT_EQ(store.value(QStringLiteral("Preferences/Invocations")).toInt(), 1);
}

} // namespace
