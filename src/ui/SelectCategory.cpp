#include "ui/SelectCategory.h"

#include "ui/CategoryPathTree.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

SelectCategory::SelectCategory(const CategoryCollection& categories, QWidget* parent)
    : QDialog(parent)
    , m_categories(new CategoryPathTree(categories, false, this)) {
    setWindowTitle(QStringLiteral("Select Category"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    QPushButton* select =
        buttons->addButton(QStringLiteral("Select"), QDialogButtonBox::AcceptRole);
    select->setObjectName(QStringLiteral("cmdSelect"));
    // Nothing to take until a category is chosen.
    select->setEnabled(false);
    connect(m_categories, &QTreeWidget::currentItemChanged, select,
            [select](const QTreeWidgetItem* current) { select->setEnabled(current != nullptr); });
    connect(m_categories, &QTreeWidget::itemDoubleClicked, this, &SelectCategory::OnSelect);
    connect(buttons, &QDialogButtonBox::accepted, this, &SelectCategory::OnSelect);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Add the new provider to this category:"), this));
    layout->addWidget(m_categories);
    layout->addWidget(buttons);
}

void SelectCategory::OnSelect() {
    m_selected = CategoryPathTree::PathOf(m_categories->currentItem());
    if (!m_selected.isEmpty())
        accept();
}
