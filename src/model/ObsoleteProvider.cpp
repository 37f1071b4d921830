#include "model/ObsoleteProvider.h"

#include "platform/ProgramError.h"
#include "platform/TextConversion.h"
#include "platform/XmlDocument.h"

namespace {
const QString UniqueIDAttribute = QStringLiteral("uniqueid");
}

XmlNode ObsoleteProvider::AsXML(XmlDocument& document) const {
    XmlNode element = document.CreateElement(QStringLiteral("obsolete"));
    element.SetAttribute(UniqueIDAttribute, TextConversion::ToText(UniqueID));
    return element;
}

bool ObsoleteProvider::FromXML(const XmlNode& element) {
    for (const XmlNode::Attribute& attribute : element.Attributes()) {
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
