#include "ui/Startup.h"

#include "model/CategoryCollection.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

namespace {

constexpr int PathRole = Qt::UserRole;

} // namespace

Startup::Startup(CategoryCollection& categories, QWidget* parent)
    : QDialog(parent)
    , m_categories(categories)
    , m_tvCategories(new QTreeWidget(this)) {
    setWindowTitle(QStringLiteral("Choose Categories"));
    m_tvCategories->setObjectName(QStringLiteral("tvCategories"));
    m_tvCategories->setHeaderHidden(true);
    for (const auto& category : m_categories)
        EnsureNode(category->CategoryName);
    m_tvCategories->expandAll();
    connect(m_tvCategories, &QTreeWidget::itemChanged, this, &Startup::OnItemChanged);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &Startup::OnOK);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        new QLabel(QStringLiteral("Choose the categories of news you want to see:"), this));
    layout->addWidget(m_tvCategories);
    layout->addWidget(buttons);
}

// A child may come before its parent in the collection, so the parent's node
// is made on demand.
QTreeWidgetItem* Startup::EnsureNode(const QString& strPath) {
    const QString key = strPath.toUpper();
    if (QTreeWidgetItem* existing = m_nodes.value(key))
        return existing;
    const QString parentPath = Category::ParentCategoryName(strPath);
    QTreeWidgetItem* node = parentPath.isEmpty() ? new QTreeWidgetItem(m_tvCategories)
                                                 : new QTreeWidgetItem(EnsureNode(parentPath));
    node->setText(0, strPath.mid(parentPath.isEmpty() ? 0 : parentPath.size() + 1));
    node->setData(0, PathRole, strPath);
    node->setCheckState(0, Qt::Checked);
    m_nodes.insert(key, node);
    return node;
}

void Startup::OnItemChanged(QTreeWidgetItem* item) {
    if (m_propagating)
        return;
    m_propagating = true;
    const Qt::CheckState state = item->checkState(0);
    SetSubtreeChecked(item, state);
    if (state == Qt::Checked)
        CheckAncestors(item);
    m_propagating = false;
}

void Startup::SetSubtreeChecked(QTreeWidgetItem* item, Qt::CheckState state) {
    for (int i = 0; i < item->childCount(); ++i) {
        item->child(i)->setCheckState(0, state);
        SetSubtreeChecked(item->child(i), state);
    }
}

// Only the ancestors: checking a child must not bring back the siblings the
// user unchecked.
void Startup::CheckAncestors(QTreeWidgetItem* item) {
    for (QTreeWidgetItem* parent = item->parent(); parent != nullptr; parent = parent->parent())
        parent->setCheckState(0, Qt::Checked);
}

void Startup::OnOK() {
    for (QTreeWidgetItemIterator it(m_tvCategories); *it != nullptr; ++it) {
        const Integer nIndex = m_categories.LocateCategory((*it)->data(0, PathRole).toString());
        if (nIndex > 0)
            m_categories.Item(nIndex)->Active = (*it)->checkState(0) == Qt::Checked;
    }
    m_categories.ComputeVisibility();
    accept();
}
