#include "config/ProductInfo.h"
#include "support/TestData.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QStringList>

#include <gtest/gtest.h>

// Each document of cases/product-info.json (none when the case has no
// "document") beside the result and the texts read: name, version, last
// release, info URL. Texts left from an earlier reading never stay.
TEST(ProductInfoTest, TheFirstMatchingProductOfTheRootIsRead) {
    const QStringList results = {"Found", "NotLoaded", "NoRoot", "NoProduct"};
    for (const QJsonValue& c : TestData::Cases("cases/product-info.json")) {
        SCOPED_TRACE(c["what"].toString().toStdString());
        std::optional<QByteArray> document;
        if (c.toObject().contains("document"))
            document = c["document"].toString().toUtf8();
        ProductInfo info{"stale", "stale", "stale", "stale"};
        const auto result = ProductInfo::GetProductInfo(document, QStringLiteral("qtk"), info);
        EXPECT_EQ(results.value(static_cast<int>(result)), c["result"].toString());
        EXPECT_EQ(
            QJsonArray::fromStringList({info.Name, info.Version, info.LastRelease, info.InfoURL}),
            c["texts"].toArray());
    }
}
