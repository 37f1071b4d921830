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
        // Nothing listens there: the master list comes from the bundled copy.
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

    QTemporaryDir home;
};

TEST_F(ProgramRunTest, ASecondStartLeavesTheFirstAloneAndATermSignalShutsDownCleanly) {
    QProcess first;
    Start(first);
    // The first run writes its new provider list once start-up is done.
    ASSERT_TRUE(WaitUntil([&] { return QFileInfo::exists(ProvidersFile()); }, 30000));
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
