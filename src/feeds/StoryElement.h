#pragma once

#include "platform/XmlNode.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// The older headline formats share one shape: story elements are children of
// the root, each field of a story is a child element of it, and a field
// written twice counts by its last occurrence. Names are compared as written
// (qualified, letter case significant).
namespace StoryElement {

// The child elements of `parent` named `name`, in document order.
QList<XmlNode> ChildrenNamed(const XmlNode& parent, const QString& name);

// The fields of one story element.
class Fields {
public:
    Fields() = default;
    explicit Fields(const XmlNode& element);

    // Adds the child elements of `element`; later ones replace earlier ones
    // of the same name.
    void Collect(const XmlNode& element);

    bool Has(const QString& name) const { return m_last.contains(name); }
    bool HasAll(const QStringList& names) const;

    // The field's text as written; empty when the field is missing.
    QString Text(const QString& name) const;
    // The text with surrounding white space removed, for dates and numbers:
    // feeds indent these freely.
    QString Value(const QString& name) const;
    // Value as an absolute link (ReaderSupport::LinkText).
    QString Link(const QString& name) const;

private:
    QHash<QString, XmlNode> m_last;
};

} // namespace StoryElement
