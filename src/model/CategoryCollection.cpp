#include "model/CategoryCollection.h"

#include "platform/ProgramError.h"

#include <algorithm>

std::size_t CategoryCollection::Offset(qsizetype index) const {
    if (index < 1 || index > Count())
        throw ProgramError(QStringLiteral("no category at position %1").arg(index));
    return static_cast<std::size_t>(index - 1);
}

void CategoryCollection::Append(std::shared_ptr<Category> category) {
    if (m_indexed) {
        const QString key = category->CategoryName.toUpper();
        if (!m_index.contains(key))
            m_index.insert(key, Count() + 1);
        m_indexedNames.push_back(category->CategoryName);
    }
    m_categories.push_back(std::move(category));
}

std::shared_ptr<Category> CategoryCollection::Add(const QString& name, bool active,
                                                  bool userDefined) {
    auto category = std::make_shared<Category>();
    category->CategoryName = name;
    category->Active = active;
    category->UserDefined = userDefined;
    Append(category);
    return category;
}

std::shared_ptr<Category> CategoryCollection::AddFromXML(const XmlNode& element, bool* clean) {
    auto category = std::make_shared<Category>();
    const bool read = category->FromXML(element);
    if (clean)
        *clean = read;
    Append(category);
    return category;
}

std::shared_ptr<Category> CategoryCollection::Item(qsizetype index) const {
    return m_categories[Offset(index)];
}

void CategoryCollection::Remove(qsizetype index) {
    m_categories.erase(m_categories.begin() + static_cast<std::ptrdiff_t>(Offset(index)));
    m_indexed = false;
}

qsizetype CategoryCollection::LocateCategory(const QString& name) const {
    const QString key = name.toUpper();
    if (!m_indexed)
        BuildIndex();
    const qsizetype position = IndexedPosition(key);
    if (position > 0 || (position < 0 && !NamesChangedSinceIndexed()))
        return position;
    BuildIndex();
    return IndexedPosition(key);
}

void CategoryCollection::BuildIndex() const {
    m_index.clear();
    m_indexedNames.clear();
    // Backwards, so that the first of equal paths is the one kept.
    for (std::size_t i = m_categories.size(); i > 0; --i)
        m_index.insert(m_categories[i - 1]->CategoryName.toUpper(), static_cast<qsizetype>(i));
    for (const auto& category : m_categories)
        m_indexedNames.push_back(category->CategoryName);
    m_indexed = true;
}

// The first indexed position for `key`; -1 when there is none; 0 when that
// category has been renamed since (the index is stale).
qsizetype CategoryCollection::IndexedPosition(const QString& key) const {
    const qsizetype position = m_index.value(key, -1);
    if (position < 0)
        return -1;
    const std::size_t offset = static_cast<std::size_t>(position - 1);
    return m_categories[offset]->CategoryName == m_indexedNames[offset] ? position : 0;
}

bool CategoryCollection::NamesChangedSinceIndexed() const {
    for (std::size_t i = 0; i < m_categories.size(); ++i) {
        if (m_categories[i]->CategoryName != m_indexedNames[i])
            return true;
    }
    return false;
}

qsizetype CategoryCollection::LocateParentCategory(const QString& name) const {
    return LocateCategory(Category::ParentCategoryName(name));
}

void CategoryCollection::EnsureCategory(const QString& name, bool active, bool userDefined) {
    for (QString path = name; !path.isEmpty(); path = Category::ParentCategoryName(path)) {
        if (LocateCategory(path) < 0)
            Add(path, active, userDefined);
    }
}

void CategoryCollection::SortByName(qsizetype index, qsizetype count) {
    if (count <= 1)
        return;
    const auto first = m_categories.begin() + static_cast<std::ptrdiff_t>(Offset(index));
    const auto last = m_categories.begin() + static_cast<std::ptrdiff_t>(Offset(index + count - 1));
    std::vector<std::pair<QString, std::shared_ptr<Category>>> keyed;
    keyed.reserve(static_cast<std::size_t>(count));
    for (auto it = first; it <= last; ++it)
        keyed.emplace_back((*it)->CategoryName.toUpper(), std::move(*it));
    // Stable, so equal paths keep their order, which the first-match lookups
    // depend on.
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    auto it = first;
    for (auto& entry : keyed)
        *it++ = std::move(entry.second);
    m_indexed = false;
}

void CategoryCollection::ComputeVisibility() {
    for (const auto& category : m_categories) {
        bool parentVisible = true;
        if (category->CategoryName.contains(QLatin1Char('/'))) {
            const qsizetype parent = LocateParentCategory(category->CategoryName);
            parentVisible = parent < 0 || Item(parent)->Visible;
        }
        category->Visible = category->Active && parentVisible;
    }
}

void CategoryCollection::ResetProviderCounts() {
    for (const auto& category : m_categories) {
        category->ProviderCount = 0;
        category->DescendantProviderCount = 0;
    }
}

void CategoryCollection::UpdateProviderCounts(const QString& name) {
    const qsizetype own = LocateCategory(name);
    if (own > 0)
        ++Item(own)->ProviderCount;
    for (QString path = Category::ParentCategoryName(name); !path.isEmpty();
         path = Category::ParentCategoryName(path)) {
        const qsizetype ancestor = LocateCategory(path);
        if (ancestor > 0)
            ++Item(ancestor)->DescendantProviderCount;
    }
}
