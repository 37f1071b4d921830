#include "retrieval/FeedAnswer.h"

#include "support/TestData.h"

#include <QJsonObject>

#include <gtest/gtest.h>

namespace {

// A web page is told by how its markup opens, whatever its Content-Type
// (data/cases/web-page-openings.json).
TEST(FeedAnswerTest, WebPagesAreToldByTheirOpening) {
    for (const QJsonValue& value :
         TestData::Cases(QStringLiteral("cases/web-page-openings.json"))) {
        const QByteArray body = value["body"].toString().toUtf8();
        EXPECT_EQ(FeedAnswer::StartsAsWebPage(body), value["webPage"].toBool()) << body.constData();
    }
}

} // namespace
