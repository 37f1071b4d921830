#include "ui/CategoryPathTree.h"

#include "model/CategoryCollection.h"

namespace {

constexpr int PathRole = Qt::UserRole;

} // namespace

CategoryPathTree::CategoryPathTree(QWidget* parent)
    : QTreeWidget(parent) {
    setObjectName(QStringLiteral("tvCategories"));
    setHeaderHidden(true);
}

CategoryPathTree::CategoryPathTree(const CategoryCollection& categories, bool checkable,
                                   QWidget* parent)
    : CategoryPathTree(parent) {
    m_checkable = checkable;
    Fill(categories);
}

void CategoryPathTree::Fill(const CategoryCollection& categories) {
    clear();
    m_nodes.clear();
    for (const auto& category : categories)
        EnsureNode(category->CategoryName);
    expandAll();
}

QTreeWidgetItem* CategoryPathTree::NodeOf(const QString& path) const {
    return m_nodes.value(path.toUpper());
}

QString CategoryPathTree::PathOf(const QTreeWidgetItem* item) {
    return item != nullptr ? item->data(0, PathRole).toString() : QString();
}

bool CategoryPathTree::SelectPath(const QString& path) {
    QTreeWidgetItem* node = m_nodes.value(path.toUpper());
    if (node != nullptr)
        setCurrentItem(node);
    return node != nullptr;
}

// A child may come before its parent in the collection, so the parent's node
// is made on demand.
QTreeWidgetItem* CategoryPathTree::EnsureNode(const QString& path) {
    const QString key = path.toUpper();
    if (QTreeWidgetItem* existing = m_nodes.value(key))
        return existing;
    const QString parentPath = Category::ParentCategoryName(path);
    QTreeWidgetItem* node = parentPath.isEmpty() ? new QTreeWidgetItem(this)
                                                 : new QTreeWidgetItem(EnsureNode(parentPath));
    node->setText(0, path.mid(parentPath.isEmpty() ? 0 : parentPath.size() + 1));
    node->setData(0, PathRole, path);
    if (m_checkable)
        node->setCheckState(0, Qt::Checked);
    m_nodes.insert(key, node);
    return node;
}
