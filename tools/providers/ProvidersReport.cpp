#include "ProvidersReport.h"

#include "model/ProviderCollection.h"
#include "platform/TextConversion.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <utility>
#include <vector>

namespace {

using Field = std::pair<QString, QJsonValue>;

QJsonValue Text(const Currency& value) {
    return TextConversion::ToText(value);
}
QJsonValue Text(const Date& value) {
    return TextConversion::ToText(value);
}

std::vector<Field> CategoryFields(const Category& category) {
    return {{QStringLiteral("CategoryName"), category.CategoryName},
            {QStringLiteral("Active"), category.Active},
            {QStringLiteral("UserDefined"), category.UserDefined}};
}

// The stored fields in the order of the provider record.
std::vector<Field> ProviderFields(const Provider& p) {
    return {{QStringLiteral("ProviderName"), p.ProviderName},
            {QStringLiteral("Description"), p.Description},
            {QStringLiteral("LastUsed"), Text(p.LastUsed)},
            {QStringLiteral("Active"), p.Active},
            {QStringLiteral("RefreshMinutes"), p.RefreshMinutes},
            {QStringLiteral("BackColor"), p.BackColor},
            {QStringLiteral("DataURL"), p.DataURL},
            {QStringLiteral("Protected"), p.Protected},
            {QStringLiteral("SiteURL"), p.SiteURL},
            {QStringLiteral("ImageURL"), p.ImageURL},
            {QStringLiteral("Origin"), p.Origin},
            {QStringLiteral("NeedsDetails"), p.NeedsDetails},
            {QStringLiteral("IsTextFormat"), p.IsTextFormat()},
            {QStringLiteral("TextFormatSpec"), p.TextFormatSpec},
            {QStringLiteral("AttemptedUpdates"), p.AttemptedUpdates},
            {QStringLiteral("SuccessfulUpdates"), p.SuccessfulUpdates},
            {QStringLiteral("LastLoadDuration"), Text(p.LastLoadDuration)},
            {QStringLiteral("TotalLoadDuration"), Text(p.TotalLoadDuration)},
            {QStringLiteral("ArrivalSound"), p.ArrivalSound},
            {QStringLiteral("UseTitle"), p.UseTitle},
            {QStringLiteral("Category"), p.Category},
            {QStringLiteral("Language"), p.Language},
            {QStringLiteral("UniqueID"), p.UniqueID},
            {QStringLiteral("UserCategory"), p.UserCategory}};
}

QJsonObject Object(const std::vector<Field>& fields) {
    QJsonObject object;
    for (const auto& [name, value] : fields)
        object.insert(name, value);
    return object;
}

QString Shown(const QJsonValue& value) {
    if (value.isBool())
        return TextConversion::FromBoolean(value.toBool());
    if (value.isDouble())
        return QString::number(value.toInteger());
    return value.toString();
}

QString Lines(const std::vector<Field>& fields) {
    QString text;
    for (const auto& [name, value] : fields)
        text += QStringLiteral("  %1: %2\n").arg(name, Shown(value));
    return text;
}

} // namespace

namespace ProvidersReport {

QString AsText(const ProviderCollection& providers) {
    QString text = QStringLiteral("Version: %1\n").arg(providers.Version);
    text += QStringLiteral("\nCategories (%1)\n").arg(providers.Categories().Count());
    for (const auto& category : providers.Categories())
        text += QStringLiteral("- %1%2%3\n")
                    .arg(category->CategoryName,
                         category->Active ? QString() : QStringLiteral(" [inactive]"),
                         category->UserDefined ? QStringLiteral(" [user-defined]") : QString());
    text += QStringLiteral("\nProviders (%1)\n").arg(providers.Count());
    for (const auto& provider : providers)
        text +=
            QStringLiteral("- %1\n").arg(provider->ProviderName) + Lines(ProviderFields(*provider));
    text += QStringLiteral("\nObsolete provider IDs (%1)\n").arg(providers.ObsoleteCount());
    for (qsizetype i = 1; i <= providers.ObsoleteCount(); ++i)
        text += QStringLiteral("- %1\n").arg(providers.ObsoleteItem(i)->UniqueID);
    return text;
}

QByteArray AsJson(const ProviderCollection& providers) {
    QJsonArray categories;
    for (const auto& category : providers.Categories())
        categories.append(Object(CategoryFields(*category)));
    QJsonArray list;
    for (const auto& provider : providers)
        list.append(Object(ProviderFields(*provider)));
    QJsonArray obsolete;
    for (qsizetype i = 1; i <= providers.ObsoleteCount(); ++i)
        obsolete.append(providers.ObsoleteItem(i)->UniqueID);
    const QJsonObject root{{QStringLiteral("version"), providers.Version},
                           {QStringLiteral("categories"), categories},
                           {QStringLiteral("providers"), list},
                           {QStringLiteral("obsolete"), obsolete}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

} // namespace ProvidersReport
