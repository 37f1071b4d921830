#include "config/ProgramUpdateCheck.h"

#include "support/EventWait.h"
#include "support/ProductsFile.h"
#include "support/TestData.h"
#include "support/TestHttpServer.h"

#include <QJsonArray>
#include <QJsonObject>

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <optional>

namespace {

using namespace std::chrono_literals;
using Outcome = ProgramUpdateCheck::Outcome;

// Runs one check to its end; nullopt when it never finished.
std::optional<ProgramUpdateCheck::Answer> Check(ProgramUpdateCheck& check) {
    std::optional<ProgramUpdateCheck::Answer> answer;
    QObject::connect(&check, &ProgramUpdateCheck::Finished,
                     [&answer](const ProgramUpdateCheck::Answer& given) { answer = given; });
    check.Start();
    if (!WaitUntil([&] { return answer.has_value(); }))
        return std::nullopt;
    return answer;
}

const QString Failed = QStringLiteral("The update check failed. Try again later.");

} // namespace

// Each products file of cases/products-files.json as the server answers
// it, against the running version given, beside what the user who asked is
// told.
TEST(ProgramUpdateCheckTest, TheProductsFileAgainstTheRunningVersion) {
    for (const QJsonValue& c : TestData::Cases(QStringLiteral("cases/products-files.json"))) {
        SCOPED_TRACE(c["what"].toString().toStdString());
        TestHttpServer server;
        server.Serve(
            "/products.xml",
            TestHttpServer::Response{c["status"].toInt(), c["document"].toString().toUtf8(), {}});
        ProgramUpdateCheck check(server.Url("/products.xml").toString(), c["running"].toString());
        const std::optional<ProgramUpdateCheck::Answer> answer = Check(check);
        ASSERT_TRUE(answer.has_value());
        EXPECT_EQ(ProgramUpdateCheck::Message(*answer), c["message"].toString());
        // Only a newer version is worth telling a user who did not ask.
        EXPECT_EQ(ProgramUpdateCheck::NewVersionText(*answer).isEmpty(),
                  answer->Result != Outcome::NewerVersion);
        EXPECT_FALSE(check.Running());
    }
}

// A server that stays silent past the limit is a failure, not an up-to-date
// program. (Nothing listening and no address at all are answered as the
// core's scenario update-checks shows.)
TEST(ProgramUpdateCheckTest, ASilentServerIsAFailure) {
    TestHttpServer server;
    server.Serve("/products.xml", {.NeverAnswer = true});
    ProgramUpdateCheck slow(server.Url("/products.xml").toString(), ProgramVersionString(), 100ms);
    const std::optional<ProgramUpdateCheck::Answer> answer = Check(slow);
    ASSERT_TRUE(answer.has_value());
    EXPECT_EQ(ProgramUpdateCheck::Message(*answer), Failed);
}

// A second start while a check runs joins it, and a cancelled check says
// nothing. The file changes while its address stays: a copy the HTTP cache
// was allowed to keep for an hour must not answer the next check.
TEST(ProgramUpdateCheckTest, OneCheckAtATimeEachAskingTheServerAfresh) {
    TestHttpServer server;
    QByteArray version = "1.0.0";
    server.Serve("/products.xml", [&version](const TestHttpServer::Request&) {
        TestHttpServer::Response response;
        response.Body = ProductsFile::Listing(QString::fromUtf8(version));
        response.Headers.insert("Content-Type", "application/xml");
        response.Headers.insert("Cache-Control", "max-age=3600");
        response.DelayMs = 50;
        return response;
    });
    ProgramUpdateCheck check(server.Url("/products.xml").toString(), "1.0.0");
    QSignalSpy finished(&check, &ProgramUpdateCheck::Finished);
    check.Start();
    check.Start();
    ASSERT_TRUE(WaitUntil([&] { return !check.Running(); }));
    EXPECT_EQ(finished.size(), 1);
    EXPECT_EQ(server.RequestCount("/products.xml"), 1);

    check.Start();
    EXPECT_TRUE(check.Running());
    check.Cancel();
    EXPECT_FALSE(check.Running());
    version = "1.0.1";
    const std::optional<ProgramUpdateCheck::Answer> answer = Check(check);
    ASSERT_TRUE(answer.has_value());
    EXPECT_EQ(ProgramUpdateCheck::Message(*answer), "Version 1.0.1 is now available.");
    EXPECT_EQ(finished.size(), 2);
}
