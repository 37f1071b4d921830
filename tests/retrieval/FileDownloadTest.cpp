#include "retrieval/FileDownload.h"

#include "support/TestData.h"
#include "support/TestHttpServer.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

class FileDownloadTest : public ::testing::Test {
protected:
    FileDownloadTest() { TestData::Write(target, "old"); }

    QByteArray Target() const { return TestData::ReadFile(target); }

    TestHttpServer server;
    QTemporaryDir folder;
    QString target = folder.filePath(QStringLiteral("file.xml"));
};

TEST_F(FileDownloadTest, ReplacesTheFileOnlyWithACompleteAcceptedAnswer) {
    server.Serve("/slow", {.Body = "late", .DelayMs = 2000});
    server.Serve("/html", QByteArray("<html/>"));
    server.Serve("/empty", QByteArray());
    const auto isProviders = [](const QByteArray& body) {
        return body.startsWith("<providers");
    };

    EXPECT_FALSE(FileDownload::DownloadToFile(server.Url("/slow").toString(), target, 300ms));
    EXPECT_FALSE(FileDownload::DownloadToFile(server.Url("/missing").toString(), target));
    EXPECT_FALSE(
        FileDownload::DownloadToFile(server.Url("/html").toString(), target, 3s, isProviders));
    EXPECT_EQ(Target(), "old");
    EXPECT_TRUE(FileDownload::DownloadToFile(server.Url("/empty").toString(), target));
    EXPECT_TRUE(QFile::exists(target));
    EXPECT_EQ(Target(), QByteArray());
}

// The wait runs the event loop: timers and network completions go on.
TEST_F(FileDownloadTest, TimersKeepTickingWhileADownloadWaits) {
    server.Serve("/silent", {.NeverAnswer = true});
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(10);
    EXPECT_EQ(FileDownload::FetchBytes(server.Url("/silent").toString(), 300ms), std::nullopt);
    EXPECT_GT(ticks, 0);
}

TEST_F(FileDownloadTest, ForgottenAddressesAreFetchedAgain) {
    int version = 1;
    server.Serve("/index", [&](const TestHttpServer::Request&) {
        TestHttpServer::Response response;
        response.Body = QByteArray::number(version);
        response.Headers.insert("Cache-Control", "max-age=3600");
        return response;
    });
    const QString url = server.Url("/index").toString();
    FileDownload::ForgetCachedURL(server.Url("/never-fetched").toString());
    EXPECT_EQ(FileDownload::FetchBytes(url, 3s), "1");
    version = 2;
    FileDownload::ForgetCachedURL(url);
    EXPECT_EQ(FileDownload::FetchBytes(url, 3s), "2");
}

} // namespace
