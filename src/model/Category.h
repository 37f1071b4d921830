#pragma once

#include "platform/Types.h"
#include "platform/XmlNode.h"

#include <QString>

class LineSink;
class XmlDocument;

// A category of the provider tree. The tree is held flat: CategoryName is
// the full path, the names of the ancestors and the category's own joined by
// "/" ("Computers/Linux").
class Category {
public:
    QString CategoryName;
    // The user wants this category's providers shown and refreshed.
    bool Active = true;
    // Created by the user rather than delivered by the master provider list;
    // such a category is kept even when empty.
    bool UserDefined = false;
    // Derived: Active, and so are all ancestors.
    bool Visible = false;
    // Derived: providers filed directly here, and below here.
    qsizetype ProviderCount = 0;
    qsizetype DescendantProviderCount = 0;

    // The last component of the path.
    QString PartialCategoryName() const;

    // Everything before the last "/"; empty for a top-level path.
    static QString ParentCategoryName(const QString& path);
    // Whether `name` can be one component of a path.
    static bool IsValidPartialName(const QString& name);

    // The "category" element, one child per line, each line started by
    // `indent`. The caller appends the indentation of the end tag.
    XmlNode AsXML(XmlDocument& document, const QString& indent) const;
    // The children AsXML writes, into any sink.
    void WriteXML(LineSink& lines) const;
    // Reads a "category" element over the defaults (active, not user
    // defined, not visible, no providers). A value that cannot be read keeps
    // its default and the rest is still read; returns false when that
    // happened.
    bool FromXML(const XmlNode& element);
};
