#include "feeds/ReaderSupport.h"

#include "feeds/Languages.h"
#include "platform/BackgroundNotice.h"
#include "platform/ProgramError.h"
#include "platform/XmlChildren.h"

#include <QUrl>

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

QString AbsoluteLink(const XmlNode& element, const QString& link) {
    const QUrl reference(link);
    if (link.isEmpty() || !reference.isValid() || !reference.isRelative())
        return link;
    const QUrl base(element.BaseURI());
    if (!base.isValid() || base.isRelative())
        return link;
    return base.resolved(reference).toString(QUrl::FullyEncoded);
}

QString LinkText(const XmlNode& element) {
    return AbsoluteLink(element, element.Text().trimmed());
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
