#include "feeds/StoryElement.h"

#include "feeds/ReaderSupport.h"
#include "platform/XmlChildren.h"

#include <algorithm>

namespace StoryElement {

QList<XmlNode> ChildrenNamed(const XmlNode& parent, const QString& name) {
    QList<XmlNode> children;
    for (const XmlNode& child : XmlChildren(parent)) {
        if (child.IsElement() && child.NodeName() == name)
            children.append(child);
    }
    return children;
}

Fields::Fields(const XmlNode& element) {
    Collect(element);
}

void Fields::Collect(const XmlNode& element) {
    m_last.insert(ReaderSupport::LastChildren(
        element, [](const XmlNode& child) { return child.NodeName(); }));
}

bool Fields::HasAll(const QStringList& names) const {
    return std::all_of(names.cbegin(), names.cend(),
                       [this](const QString& name) { return Has(name); });
}

QString Fields::Text(const QString& name) const {
    return m_last.value(name).Text();
}

QString Fields::Value(const QString& name) const {
    return Text(name).trimmed();
}

QString Fields::Link(const QString& name) const {
    return ReaderSupport::LinkText(m_last.value(name));
}

} // namespace StoryElement
