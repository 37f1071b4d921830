#include "core/CategoryEditor.h"

#include "model/ProviderCollection.h"

#include <memory>
#include <vector>

const QString CategoryEditor::FallbackCategory = QStringLiteral("General");

QString CategoryEditor::DeleteResult::Message() const {
    switch (outcome) {
    case Outcome::HasChildren:
        return QStringLiteral("You must delete the categories within the selected \n"
                              "category before deleting the category itself.");
    case Outcome::HoldsReassigned:
        return QStringLiteral("The category '%1' receives the providers of deleted top-level "
                              "categories and cannot be deleted while it holds providers.")
            .arg(target);
    case Outcome::Deleted:
        break;
    }
    if (moved == 0)
        return {};
    return QStringLiteral("The deleted category contained %1 providers. They have been "
                          "reassigned to category '%2'")
        .arg(moved)
        .arg(target);
}

CategoryEditor::CategoryEditor(ProviderCollection& providers)
    : m_providers(providers) {}

QString CategoryEditor::ChildPath(const QString& parentPath, const QString& name) {
    return parentPath.isEmpty() ? name : parentPath + u'/' + name;
}

QString CategoryEditor::NewCategory(const QString& parentPath) {
    CategoryCollection& categories = m_providers.Categories();
    const QString parent = StoredPath(parentPath);
    QString path = ChildPath(parent, QStringLiteral("New"));
    for (int n = 2; categories.LocateCategory(path) > 0; ++n)
        path = ChildPath(parent, QStringLiteral("New %1").arg(n));
    categories.Add(path, true, true);
    Tidy();
    return path;
}

CategoryEditor::RenameResult CategoryEditor::Rename(const QString& path, const QString& newName) {
    const QString name = newName.trimmed();
    if (name.isEmpty())
        return RenameResult::Empty;
    if (!Category::IsValidPartialName(name))
        return RenameResult::Invalid;
    CategoryCollection& categories = m_providers.Categories();
    const qsizetype position = categories.LocateCategory(path);
    if (position < 1)
        return RenameResult::Invalid;
    const QString stored = categories.Item(position)->CategoryName;
    const QString renamed = ChildPath(Category::ParentCategoryName(stored), name);
    if (renamed == stored)
        return RenameResult::Renamed;
    const qsizetype existing = categories.LocateCategory(renamed);
    if (existing > 0 && existing != position)
        return RenameResult::Taken;
    // The sub-categories are renamed here: AssignCategory would recreate
    // them as active and user-defined.
    const QString descendantPrefix = stored + u'/';
    for (const auto& category : categories) {
        QString& categoryName = category->CategoryName;
        if (categoryName == stored ||
            categoryName.startsWith(descendantPrefix, Qt::CaseInsensitive))
            categoryName = renamed + categoryName.mid(stored.size());
    }
    MoveProviders(stored, renamed, QString());
    Tidy();
    return RenameResult::Renamed;
}

QString CategoryEditor::RenameMessage(RenameResult result) {
    switch (result) {
    case RenameResult::Empty:
        return QStringLiteral("The category name cannot be empty!");
    case RenameResult::Taken:
        return QStringLiteral("There is already a category with that name!");
    case RenameResult::Renamed:
    case RenameResult::Invalid:
        break;
    }
    return {};
}

void CategoryEditor::SetActive(const QString& path, bool active) {
    CategoryCollection& categories = m_providers.Categories();
    const qsizetype position = categories.LocateCategory(path);
    if (position < 1)
        return;
    categories.Item(position)->Active = active;
    categories.ComputeVisibility();
}

CategoryEditor::DeleteResult CategoryEditor::Delete(const QString& path) {
    const QString stored = StoredPath(path);
    if (stored.isEmpty())
        return {};
    if (HasChildren(stored))
        return {DeleteResult::Outcome::HasChildren, 0, QString()};
    const QString parent = Category::ParentCategoryName(stored);
    // Providers keep the spelling of an existing fallback category, since
    // they are matched to it exactly.
    const QString fallback = StoredPath(FallbackCategory);
    const QString target =
        !parent.isEmpty() ? parent : (fallback.isEmpty() ? FallbackCategory : fallback);
    if (target == stored && m_providers.LocateFirstProviderInCategory(stored) > 0)
        return {DeleteResult::Outcome::HoldsReassigned, 0, target};
    const qsizetype moved = target == stored ? 0 : MoveProviders(stored, target, stored);
    CategoryCollection& categories = m_providers.Categories();
    const qsizetype position = categories.LocateCategory(stored);
    if (position > 0)
        categories.Remove(position);
    Tidy();
    return {DeleteResult::Outcome::Deleted, moved, target};
}

QString CategoryEditor::StoredPath(const QString& path) const {
    const CategoryCollection& categories = m_providers.Categories();
    const qsizetype position = path.isEmpty() ? -1 : categories.LocateCategory(path);
    return position > 0 ? categories.Item(position)->CategoryName : QString();
}

bool CategoryEditor::HasChildren(const QString& stored) const {
    const QString prefix = stored + u'/';
    for (const auto& category : m_providers.Categories())
        if (category->CategoryName.startsWith(prefix, Qt::CaseInsensitive))
            return true;
    return false;
}

// AssignCategory also drops every category left without providers, which
// would take the user's new, still empty categories with it.
qsizetype CategoryEditor::MoveProviders(const QString& from, const QString& to,
                                        const QString& dropped) {
    CategoryCollection& categories = m_providers.Categories();
    const std::vector<std::shared_ptr<Category>> before(categories.begin(), categories.end());
    const qsizetype moved = m_providers.AssignCategory(from, to);
    for (const auto& category : before)
        if (category->CategoryName.compare(dropped, Qt::CaseInsensitive) != 0 &&
            categories.LocateCategory(category->CategoryName) < 1)
            categories.Add(category->CategoryName, category->Active, category->UserDefined);
    return moved;
}

void CategoryEditor::Tidy() {
    CategoryCollection& categories = m_providers.Categories();
    categories.SortByName(1, categories.Count());
    categories.ComputeVisibility();
}
