#include "ui/Startup.h"

#include "model/CategoryCollection.h"
#include "ui/CategoryPathTree.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

Startup::Startup(CategoryCollection& categories, QWidget* parent)
    : QDialog(parent)
    , m_categories(categories)
    , m_tree(new CategoryPathTree(categories, true, this)) {
    setWindowTitle(QStringLiteral("Choose Categories"));
    connect(m_tree, &QTreeWidget::itemChanged, this, &Startup::OnItemChanged);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &Startup::OnOK);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        new QLabel(QStringLiteral("Choose the categories of news you want to see:"), this));
    layout->addWidget(m_tree);
    layout->addWidget(buttons);
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
    for (QTreeWidgetItemIterator it(m_tree); *it != nullptr; ++it) {
        const qsizetype position = m_categories.LocateCategory(CategoryPathTree::PathOf(*it));
        if (position > 0)
            m_categories.Item(position)->Active = (*it)->checkState(0) == Qt::Checked;
    }
    m_categories.ComputeVisibility();
    accept();
}
