#include "config/ProgramUpdateCheck.h"

#include "support/EventWait.h"
#include "support/ProductsFile.h"
#include "support/TestHttpServer.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <optional>

namespace {

using namespace std::chrono_literals;
using Outcome = ProgramUpdateCheck::Outcome;

QByteArray Product(const QByteArray& id, const QByteArray& version) {
    return "<product id=\"" + id + "\"><name>" + id + "</name><version>" + version +
           "</version><last-release>2026-11-30</last-release></product>";
}

QByteArray Products(const QByteArray& products) {
    return "<products>" + products + "</products>";
}

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

const QString UpToDate = QStringLiteral("You are running the most recent version.");
const QString Failed = QStringLiteral("The update check failed. Try again later.");

} // namespace

// Each products file as the server answers it, against the running version
// given, beside what the user who asked is told.
TEST(ProgramUpdateCheckTest, TheProductsFileAgainstTheRunningVersion) {
    struct Case {
        const char* what;
        QByteArray document;
        QString running;
        QString message;
        int status = 200;
    };
    for (const Case& c : {
             Case{"newer revision", Products(Product("qtk", "1.2.4")), "1.2.3",
                  "Version 1.2.4 is now available."},
             Case{"older", Products(Product("qtk", "1.2.2")), "1.2.3", UpToDate},
             Case{"equal", Products(Product("qtk", "1.2.3")), "1.2.3", UpToDate},
             Case{"minor greater", Products(Product("qtk", "1.2.0")), "1.1.9",
                  "Version 1.2.0 is now available."},
             Case{"major smaller", Products(Product("qtk", "1.2.0")), "2.0.0", UpToDate},
             Case{"major greater", Products(Product("qtk", "2.0.0")), "1.9.9",
                  "Version 2.0.0 is now available."},
             Case{"numbers, not text", Products(Product("qtk", "0.10.0")), "0.9.90",
                  "Version 0.10.0 is now available."},
             Case{"first of two counts",
                  Products(Product("qtk", "1.0.0") + Product("qtk", "9.0.0")), "1.0.0", UpToDate},
             Case{"first of two is newer",
                  Products(Product("qtk", "1.1.0") + Product("qtk", "0.1.0")), "1.0.0",
                  "Version 1.1.0 is now available."},
             Case{"other products only",
                  Products(Product("other", "9.0.0") + Product("qtk-beta", "9.0.0")), "1.0.0",
                  Failed},
             Case{"no products", "<products/>", "1.0.0", Failed},
             Case{"not XML", "Version 9.0.0 is out", "1.0.0", Failed},
             Case{"cut short", "<products><product id=\"qtk\"><version>9.0.0", "1.0.0", Failed},
             Case{"empty", "", "1.0.0", Failed},
             Case{"not found", Products(Product("qtk", "9.0.0")), "1.0.0", Failed, 404},
             Case{"garbage equal", Products(Product("qtk", "1.x")), "1.0.0", UpToDate},
             Case{"garbage newer", Products(Product("qtk", "1.x")), "0.9.0",
                  "Version 1.x is now available."},
             Case{"major only", Products(Product("qtk", "2")), "1.9.9",
                  "Version 2 is now available."},
             Case{"empty version", Products(Product("qtk", "")), "0.0.1", UpToDate},
         }) {
        SCOPED_TRACE(c.what);
        TestHttpServer server;
        server.Serve("/products.xml", TestHttpServer::Response{c.status, c.document, {}});
        ProgramUpdateCheck check(server.Url("/products.xml").toString(), c.running);
        const std::optional<ProgramUpdateCheck::Answer> answer = Check(check);
        ASSERT_TRUE(answer.has_value());
        EXPECT_EQ(ProgramUpdateCheck::Message(*answer), c.message);
        // Only a newer version is worth telling a user who did not ask.
        EXPECT_EQ(ProgramUpdateCheck::NewVersionText(*answer).isEmpty(),
                  answer->Result != Outcome::NewerVersion);
        EXPECT_FALSE(check.Running());
    }
}

// Failures are told apart from the program being up to date: nothing
// listening, a server that stays silent past the limit, no address at all.
TEST(ProgramUpdateCheckTest, NoAnswerIsAFailureAndNoAddressIsNoCheck) {
    ProgramUpdateCheck closed(ProductsFile::ClosedAddress(), ProgramVersionString());
    std::optional<ProgramUpdateCheck::Answer> answer = Check(closed);
    ASSERT_TRUE(answer.has_value());
    EXPECT_EQ(answer->Result, Outcome::Failed);

    TestHttpServer server;
    TestHttpServer::Response silent;
    silent.NeverAnswer = true;
    server.Serve("/products.xml", silent);
    ProgramUpdateCheck slow(server.Url("/products.xml").toString(), ProgramVersionString(), 100ms);
    answer = Check(slow);
    ASSERT_TRUE(answer.has_value());
    EXPECT_EQ(ProgramUpdateCheck::Message(*answer), Failed);

    ProgramUpdateCheck none(QString(), ProgramVersionString());
    QSignalSpy finished(&none, &ProgramUpdateCheck::Finished);
    none.Start();
    ASSERT_EQ(finished.size(), 1);
    answer = Check(none);
    ASSERT_TRUE(answer.has_value());
    EXPECT_EQ(ProgramUpdateCheck::Message(*answer),
              "No update server is configured for this build.");
}

// The file changes while its address stays: a copy the HTTP cache was
// allowed to keep for an hour must not answer the next check.
TEST(ProgramUpdateCheckTest, EveryCheckAsksTheServerAfresh) {
    TestHttpServer server;
    QByteArray version = "1.0.0";
    server.Serve("/products.xml", [&version](const TestHttpServer::Request&) {
        TestHttpServer::Response response;
        response.Body = ProductsFile::Listing(QString::fromUtf8(version));
        response.Headers.insert("Content-Type", "application/xml");
        response.Headers.insert("Cache-Control", "max-age=3600");
        return response;
    });
    ProgramUpdateCheck check(server.Url("/products.xml").toString(), "1.0.0");
    std::optional<ProgramUpdateCheck::Answer> answer = Check(check);
    ASSERT_TRUE(answer.has_value());
    EXPECT_EQ(answer->Result, Outcome::UpToDate);
    version = "1.0.1";
    answer = Check(check);
    ASSERT_TRUE(answer.has_value());
    EXPECT_EQ(ProgramUpdateCheck::Message(*answer), "Version 1.0.1 is now available.");
    EXPECT_EQ(server.RequestCount("/products.xml"), 2);
}

// A second start while the first check runs joins it; a cancelled check
// says nothing.
TEST(ProgramUpdateCheckTest, OneCheckAtATimeAndCancelledChecksAreSilent) {
    TestHttpServer server;
    TestHttpServer::Response slow;
    slow.Body = ProductsFile::Listing("9.0.0");
    slow.DelayMs = 50;
    server.Serve("/products.xml", slow);
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
    check.Start();
    ASSERT_TRUE(WaitUntil([&] { return !check.Running(); }));
    EXPECT_EQ(finished.size(), 2);
}
