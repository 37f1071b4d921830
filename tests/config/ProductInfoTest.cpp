#include "config/ProductInfo.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

using Result = ProductInfo::Result;

} // namespace

// The first product with the id counts, and within it the first element of
// each name; only the root's own children are products.
TEST(ProductInfoTest, TheFirstMatchingProductOfTheRootIsRead) {
    struct Case {
        QByteArray document;
        Result result;
        QStringList texts; // name, version, last release, info URL
    };
    const QStringList none{"", "", "", ""};
    for (const Case& c : {
             Case{"<products><product id=\"qtk\"><name>Varnocet</name><version>1.2.0</version>"
                  "<last-release>2026-11-30</last-release><info-url>http://127.0.0.1:9/info"
                  "</info-url><extra>x</extra></product></products>",
                  Result::Found,
                  {"Varnocet", "1.2.0", "2026-11-30", "http://127.0.0.1:9/info"}},
             Case{"<any><note/><product id=\"qtk\"><version>1</version><version>2</version>"
                  "</product><product id=\"qtk\"><version>3</version></product></any>",
                  Result::Found,
                  {"", "1", "", ""}},
             Case{"<products><product id=\"QTK\"><version>1</version></product>"
                  "<product><version>1</version></product><group><product id=\"qtk\">"
                  "<version>1</version></product></group></products>",
                  Result::NoProduct, none},
             Case{"<product id=\"qtk\"><version>1</version></product>", Result::NoProduct, none},
             Case{"<products><product id=\"qtk\">", Result::NotLoaded, none},
             Case{"", Result::NotLoaded, none},
         }) {
        ProductInfo info{"stale", "stale", "stale", "stale"};
        EXPECT_EQ(ProductInfo::GetProductInfo(c.document, QStringLiteral("qtk"), info), c.result)
            << c.document.toStdString();
        EXPECT_EQ(QStringList({info.Name, info.Version, info.LastRelease, info.InfoURL}), c.texts)
            << c.document.toStdString();
    }
    ProductInfo info{"stale", "stale", "stale", "stale"};
    EXPECT_EQ(ProductInfo::GetProductInfo(std::nullopt, QStringLiteral("qtk"), info),
              Result::NotLoaded);
    EXPECT_TRUE(info.Version.isEmpty());
}
