#include "ProvidersReport.h"

#include "model/ProviderCollection.h"
#include "model/ProviderField.h"
#include "platform/TextConversion.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <utility>
#include <vector>

namespace {

using Field = std::pair<QString, QJsonValue>;

std::vector<Field> CategoryFields(const Category& category) {
    return {{QStringLiteral("CategoryName"), category.CategoryName},
            {QStringLiteral("Active"), category.Active},
            {QStringLiteral("UserDefined"), category.UserDefined}};
}

QJsonValue Value(const ProviderField& field, const Provider& provider) {
    const QString text = field.Value.Text(provider);
    switch (field.Value.ValueKind) {
    case ProviderField::Kind::Boolean:
        return TextConversion::ToBoolean(text);
    case ProviderField::Kind::Number:
        return TextConversion::ToLong(text);
    default:
        return text;
    }
}

// The stored fields in the order of the provider element.
std::vector<Field> ProviderFields(const Provider& provider) {
    std::vector<Field> fields;
    for (const ProviderField& field : ProviderField::All())
        fields.emplace_back(field.Name, Value(field, provider));
    return fields;
}

// The names of the fields whose bits are set.
QJsonArray FieldNames(Long bits) {
    QJsonArray names;
    for (const ProviderField& field : ProviderField::All()) {
        if ((bits & field.Bit) != 0)
            names.append(QString(field.Name));
    }
    return names;
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

QByteArray AsJson(const ProviderCollection& providers, const ProviderCollection* compared) {
    QJsonArray categories;
    for (const auto& category : providers.Categories())
        categories.append(Object(CategoryFields(*category)));
    QJsonArray list;
    for (const auto& provider : providers) {
        QJsonObject object = Object(ProviderFields(*provider));
        // What a delta set of the provider would carry.
        object.insert(QStringLiteral("Present"), FieldNames(provider->PresentFlags));
        const qsizetype other =
            compared ? compared->LocateProviderByUniqueID(provider->UniqueID) : 0;
        if (other > 0)
            object.insert(QStringLiteral("Differs"),
                          FieldNames(provider->Diff(*compared->Item(other))));
        list.append(object);
    }
    QJsonArray obsolete;
    for (qsizetype i = 1; i <= providers.ObsoleteCount(); ++i)
        obsolete.append(providers.ObsoleteItem(i)->UniqueID);
    const QJsonObject root{{QStringLiteral("version"), providers.Version},
                           {QStringLiteral("categories"), categories},
                           {QStringLiteral("providers"), list},
                           {QStringLiteral("obsolete"), obsolete},
                           {QStringLiteral("lostValues"), providers.LastLoadLostValues()}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

} // namespace ProvidersReport
