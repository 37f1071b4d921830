#include "config/ProductInfo.h"

#include "platform/XmlChildren.h"
#include "platform/XmlDocument.h"

namespace {

bool IsProduct(const XmlNode& node, const QString& productID) {
    return node.IsElement() && node.NodeName() == QLatin1String("product") &&
           node.GetAttribute(QStringLiteral("id")) == productID;
}

// The first child of that name counts, as the first product does.
QString ChildText(const XmlNode& product, QLatin1String name) {
    for (const XmlNode& child : XmlChildren(product)) {
        if (child.IsElement() && child.NodeName() == name)
            return child.Text();
    }
    return {};
}

void ReadProduct(const XmlNode& product, ProductInfo& info) {
    info.Name = ChildText(product, QLatin1String("name"));
    info.Version = ChildText(product, QLatin1String("version"));
    info.LastRelease = ChildText(product, QLatin1String("last-release"));
    info.InfoURL = ChildText(product, QLatin1String("info-url"));
}

} // namespace

ProductInfo::Result ProductInfo::GetProductInfo(const std::optional<QByteArray>& document,
                                                const QString& productID, ProductInfo& info) {
    info = {};
    XmlDocument products;
    if (!document || !products.LoadXML(*document))
        return Result::NotLoaded;
    const XmlNode root = products.DocumentElement();
    if (root.IsNull())
        return Result::NoRoot;
    for (const XmlNode& node : XmlChildren(root)) {
        if (IsProduct(node, productID)) {
            ReadProduct(node, info);
            return Result::Found;
        }
    }
    return Result::NoProduct;
}
