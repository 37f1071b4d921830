#pragma once

#include "model/Category.h"
#include "platform/Types.h"
#include "platform/XmlNode.h"

#include <QHash>
#include <QString>

#include <memory>
#include <vector>

// All categories of a provider collection in one ordered list, positions
// 1 ... Count. Every category's parent path names a category of the same
// collection: EnsureCategory creates missing ancestors.
class CategoryCollection {
public:
    // Appends a new category without checking for an existing path.
    std::shared_ptr<Category> Add(const QString& name, bool active, bool userDefined);
    // Appends a category read from a "category" element. `clean` (when given)
    // is set false when a value of the element could not be read.
    std::shared_ptr<Category> AddFromXML(const XmlNode& element, bool* clean = nullptr);

    // Positions outside 1 ... Count throw ProgramError.
    std::shared_ptr<Category> Item(qsizetype index) const;
    qsizetype Count() const { return static_cast<qsizetype>(m_categories.size()); }
    void Remove(qsizetype index);

    // The first category whose path equals `name` without regard to
    // letter case, or -1. Indexed, so loading a long list stays linear.
    qsizetype LocateCategory(const QString& name) const;
    qsizetype LocateParentCategory(const QString& name) const;

    // Makes sure the path and all its ancestors exist; the ones created get
    // the given flags and are appended child first. Existing ones are left
    // as they are.
    void EnsureCategory(const QString& name, bool active, bool userDefined);

    // Sorts positions index ... index + count - 1 by upper-case path, so a
    // parent precedes its children. Stable: equal keys keep their order.
    void SortByName(qsizetype index, qsizetype count);

    // Visible := Active and the parent's Visible, in list order; parents must
    // precede children (SortByName). A category whose parent is missing is
    // treated as having a visible parent.
    void ComputeVisibility();

    void ResetProviderCounts();
    // Counts one provider filed under `name`: in that category and in
    // each of its ancestors' descendant counts. Paths not in the collection
    // are passed over.
    void UpdateProviderCounts(const QString& name);

    auto begin() const { return m_categories.begin(); }
    auto end() const { return m_categories.end(); }

private:
    std::size_t Offset(qsizetype index) const;
    void Append(std::shared_ptr<Category> category);
    void BuildIndex() const;
    qsizetype IndexedPosition(const QString& key) const;
    bool NamesChangedSinceIndexed() const;

    std::vector<std::shared_ptr<Category>> m_categories;
    // Upper-case path -> the first position holding it, and the name each
    // position had when indexed. Built on first use, extended by Append, dropped by
    // changes of order. Names can also be changed in place: a hit whose name
    // changed, or a miss while some name changed, rebuilds the index first.
    mutable QHash<QString, qsizetype> m_index;
    mutable std::vector<QString> m_indexedNames;
    mutable bool m_indexed = false;
};
