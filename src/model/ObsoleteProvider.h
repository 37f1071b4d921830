#pragma once

#include "platform/Types.h"
#include "platform/XmlNode.h"

class XmlDocument;

// A provider the master provider list has withdrawn, remembered by ID.
class ObsoleteProvider {
public:
    Long UniqueID = 0;

    // <obsolete uniqueid="123"/>
    XmlNode AsXML(XmlDocument& document) const;
    // Reads the "uniqueid" attribute; false (and UniqueID unchanged) when it
    // is missing or not a number.
    bool FromXML(const XmlNode& element);
};
