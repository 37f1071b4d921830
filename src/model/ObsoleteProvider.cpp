#include "model/ObsoleteProvider.h"

#include "platform/ProgramError.h"
#include "platform/TextConversion.h"
#include "platform/XmlDocument.h"

namespace {
const QString UniqueIDAttribute = QStringLiteral("uniqueid");
}

XmlNode ObsoleteProvider::AsXML(XmlDocument& xmlDocument) const {
    XmlNode element = xmlDocument.CreateElement(QStringLiteral("obsolete"));
    element.SetAttribute(UniqueIDAttribute, TextConversion::ToText(UniqueID));
    return element;
}

bool ObsoleteProvider::FromXML(const XmlNode& xmlObsoleteProvider) {
    for (const XmlNode::Attribute& attribute : xmlObsoleteProvider.Attributes()) {
        if (attribute.Name != UniqueIDAttribute)
            continue;
        try {
            UniqueID = TextConversion::ToLong(attribute.Value);
            return true;
        } catch (const ProgramError&) {
            return false;
        }
    }
    return false;
}
