#include "feeds/ReaderSupport.h"

#include "feeds/Languages.h"
#include "platform/BackgroundNotice.h"
#include "platform/ProgramError.h"
#include "platform/XmlChildren.h"

namespace ReaderSupport {

QHash<QString, XmlNode> LastChildren(const XmlNode& parent, const FieldKey& keyOf) {
    QHash<QString, XmlNode> fields;
    for (const XmlNode& child : XmlChildren(parent)) {
        if (child.IsElement())
            fields.insert(keyOf(child), child);
    }
    return fields;
}

QString TextOr(const QHash<QString, XmlNode>& fields, const QString& key, const QString& fallback) {
    const auto found = fields.constFind(key);
    return found == fields.cend() ? fallback : found->Text();
}

Long LanguageNumber(const QString& code) {
    const Long number = Languages::LookupLanguageCode(code.trimmed().left(2));
    return number == 0 ? 1 : number;
}

void StopOnError(const QString& message, const std::function<void()>& read) {
    try {
        read();
    } catch (const ProgramError&) {
        BackgroundNotice::Report(message);
    }
}

} // namespace ReaderSupport
