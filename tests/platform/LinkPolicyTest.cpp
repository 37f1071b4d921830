#include "platform/LinkPolicy.h"

#include "support/TestData.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

TEST(LinkPolicy, FollowsOnlyWebAddresses) {
    const QJsonObject links =
        QJsonDocument::fromJson(TestData::Read("tables/link-policy.json")).object();
    for (const QString& group : {QStringLiteral("followed"), QStringLiteral("refused")}) {
        const QJsonArray cases = links.value(group).toArray();
        ASSERT_FALSE(cases.isEmpty()) << group.toStdString();
        for (const QJsonValue& link : cases)
            EXPECT_EQ(LinkPolicy::WebAddress(link.toString()).has_value(), group == "followed")
                << link.toString().toStdString();
    }
}

TEST(LinkPolicy, GivesTheAddressToFollow) {
    EXPECT_EQ(LinkPolicy::WebAddress(QStringLiteral(" https://example.org/a b ")),
              QUrl(QStringLiteral("https://example.org/a%20b")));
}
