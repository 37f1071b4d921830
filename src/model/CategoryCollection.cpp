#include "model/CategoryCollection.h"

#include "platform/ProgramError.h"

#include <limits>

std::size_t CategoryCollection::Offset(Integer nIndex) const {
    if (nIndex < 1 || nIndex > Count())
        throw ProgramError(QStringLiteral("no category at position %1").arg(nIndex));
    return static_cast<std::size_t>(nIndex - 1);
}

void CategoryCollection::Append(std::shared_ptr<Category> category) {
    if (m_categories.size() >= static_cast<std::size_t>(std::numeric_limits<Integer>::max()))
        throw ProgramError(QStringLiteral("too many categories"));
    if (m_indexed)
        m_index[category->CategoryName.toUpper()].push_back(static_cast<Integer>(Count() + 1));
    m_categories.push_back(std::move(category));
}

std::shared_ptr<Category> CategoryCollection::Add(const QString& strCategoryName, bool bActive,
                                                  bool bUserDefined) {
    auto category = std::make_shared<Category>();
    category->CategoryName = strCategoryName;
    category->Active = bActive;
    category->UserDefined = bUserDefined;
    Append(category);
    return category;
}

std::shared_ptr<Category> CategoryCollection::AddFromXML(const XmlNode& xmlCategory, bool* clean) {
    auto category = std::make_shared<Category>();
    const bool read = category->FromXML(xmlCategory);
    if (clean)
        *clean = read;
    Append(category);
    return category;
}

std::shared_ptr<Category> CategoryCollection::Item(Integer nIndex) const {
    return m_categories[Offset(nIndex)];
}

void CategoryCollection::Remove(Integer nIndex) {
    m_categories.erase(m_categories.begin() + static_cast<std::ptrdiff_t>(Offset(nIndex)));
    m_indexed = false;
}

Integer CategoryCollection::LocateCategory(const QString& strCategoryName) const {
    const QString key = strCategoryName.toUpper();
    if (!m_indexed) {
        m_index.clear();
        for (std::size_t i = 0; i < m_categories.size(); ++i)
            m_index[m_categories[i]->CategoryName.toUpper()].push_back(static_cast<Integer>(i + 1));
        m_indexed = true;
    }
    const auto candidates = m_index.constFind(key);
    if (candidates != m_index.constEnd()) {
        for (const Integer position : *candidates) {
            if (position <= Count() && m_categories[position - 1]->CategoryName.toUpper() == key)
                return position;
        }
    }
    return ScanForCategory(key);
}

Integer CategoryCollection::ScanForCategory(const QString& key) const {
    for (std::size_t i = 0; i < m_categories.size(); ++i) {
        if (m_categories[i]->CategoryName.toUpper() == key)
            return static_cast<Integer>(i + 1);
    }
    return -1;
}

Integer CategoryCollection::LocateParentCategory(const QString& strCategoryName) const {
    return LocateCategory(Category::ParentCategoryName(strCategoryName));
}

void CategoryCollection::EnsureCategory(const QString& strCategoryName, bool bActive,
                                        bool bUserDefined) {
    for (QString path = strCategoryName; !path.isEmpty();
         path = Category::ParentCategoryName(path)) {
        if (LocateCategory(path) < 0)
            Add(path, bActive, bUserDefined);
    }
}

void CategoryCollection::SortByName(Integer nIndex, Integer nCount) {
    if (nCount <= 1)
        return;
    const std::size_t first = Offset(nIndex);
    const std::size_t last = Offset(static_cast<Integer>(nIndex + nCount - 1));
    std::vector<QString> keys;
    keys.reserve(last - first + 1);
    for (std::size_t i = first; i <= last; ++i)
        keys.push_back(m_categories[i]->CategoryName.toUpper());
    // Exchanging neighbours only when strictly greater keeps equal paths in
    // their order, which the first-match lookups depend on.
    bool exchanged = true;
    while (exchanged) {
        exchanged = false;
        for (std::size_t k = 0; k + 1 < keys.size(); ++k) {
            if (keys[k] > keys[k + 1]) {
                std::swap(keys[k], keys[k + 1]);
                std::swap(m_categories[first + k], m_categories[first + k + 1]);
                exchanged = true;
                m_indexed = false;
            }
        }
    }
}

void CategoryCollection::ComputeVisibility() {
    for (const auto& category : m_categories) {
        bool parentVisible = true;
        if (category->CategoryName.contains(QLatin1Char('/'))) {
            const Integer parent = LocateParentCategory(category->CategoryName);
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

void CategoryCollection::UpdateProviderCounts(const QString& strCategoryName) {
    const Integer own = LocateCategory(strCategoryName);
    if (own > 0)
        ++Item(own)->ProviderCount;
    for (QString path = Category::ParentCategoryName(strCategoryName); !path.isEmpty();
         path = Category::ParentCategoryName(path)) {
        const Integer ancestor = LocateCategory(path);
        if (ancestor > 0)
            ++Item(ancestor)->DescendantProviderCount;
    }
}
