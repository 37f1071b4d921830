#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// One product's entry in the products file the maintainers publish: any
// root element whose "product" children (attribute "id") each hold the
// texts "name", "version", "last-release" and "info-url". Other elements
// are passed over.
struct ProductInfo {
    enum class Result {
        Found = 0,
        // Nothing came, or what came is no well-formed XML.
        NotLoaded = 1,
        NoRoot = 2,
        NoProduct = 3,
    };

    QString Name;
    QString Version;
    QString LastRelease;
    QString InfoURL;

    // The first product with `productID` in a fetched products file
    // (nullopt: the fetch failed). `info` is emptied first, so it holds
    // nothing unless the result is Found.
    static Result GetProductInfo(const std::optional<QByteArray>& document,
                                 const QString& productID, ProductInfo& info);
};
