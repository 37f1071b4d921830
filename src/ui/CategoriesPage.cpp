#include "ui/CategoriesPage.h"

#include "core/CategoryEditor.h"
#include "model/ProviderCollection.h"
#include "platform/MessageBox.h"
#include "ui/CategoryNameValidator.h"
#include "ui/CategoryPathTree.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>

#include <initializer_list>

namespace {

QPushButton* Button(const QString& objectName, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(objectName);
    return button;
}

} // namespace

CategoriesPage::CategoriesPage(QWidget* parent)
    : QWidget(parent)
    , m_tvCategories(new CategoryPathTree(this))
    , m_txtCategoriesName(new QLineEdit(this))
    , m_chkCategoriesActive(new QCheckBox(QStringLiteral("Active"), this))
    , m_btnCategoriesNewWithin(
          Button(QStringLiteral("btnCategoriesNewWithin"), QStringLiteral("New Within"), this))
    , m_btnCategoriesNewTop(
          Button(QStringLiteral("btnCategoriesNewTop"), QStringLiteral("New Top"), this))
    , m_btnCategoriesDelete(
          Button(QStringLiteral("btnCategoriesDelete"), QStringLiteral("Delete"), this)) {
    m_txtCategoriesName->setObjectName(QStringLiteral("txtCategoriesName"));
    m_txtCategoriesName->setValidator(new CategoryNameValidator(m_txtCategoriesName));
    m_chkCategoriesActive->setObjectName(QStringLiteral("chkCategoriesActive"));

    auto* details = new QFormLayout;
    details->addRow(QStringLiteral("Name:"), m_txtCategoriesName);
    details->addRow(QString(), m_chkCategoriesActive);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_btnCategoriesNewWithin);
    buttons->addWidget(m_btnCategoriesNewTop);
    buttons->addStretch();
    buttons->addWidget(m_btnCategoriesDelete);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tvCategories);
    layout->addLayout(details);
    layout->addLayout(buttons);

    connect(m_tvCategories, &QTreeWidget::currentItemChanged, this, &CategoriesPage::ShowSelected);
    connect(m_txtCategoriesName, &QLineEdit::editingFinished, this, &CategoriesPage::TakeName);
    connect(m_chkCategoriesActive, &QCheckBox::clicked, this, &CategoriesPage::SetActive);
    connect(m_btnCategoriesNewWithin, &QPushButton::clicked, this,
            [this] { AddCategory(SelectedPath()); });
    connect(m_btnCategoriesNewTop, &QPushButton::clicked, this, [this] { AddCategory(QString()); });
    connect(m_btnCategoriesDelete, &QPushButton::clicked, this, &CategoriesPage::DeleteSelected);
    ShowSelected();
}

void CategoriesPage::In(ProviderCollection& providers) {
    m_providers = &providers;
    Refill();
}

void CategoriesPage::Release() {
    m_providers = nullptr;
    Refill();
}

void CategoriesPage::Refill() {
    FillAndSelect(SelectedPath());
}

// Without a category of that path, the first one is selected.
void CategoriesPage::FillAndSelect(const QString& path) {
    {
        const QScopedValueRollback filling(m_filling, true);
        if (m_providers != nullptr)
            m_tvCategories->Fill(m_providers->Categories());
        else
            m_tvCategories->clear();
    }
    QTreeWidgetItem* node = m_tvCategories->NodeOf(path);
    m_tvCategories->setCurrentItem(node != nullptr ? node : m_tvCategories->topLevelItem(0));
    ShowSelected();
}

QString CategoriesPage::SelectedPath() const {
    return CategoryPathTree::PathOf(m_tvCategories->currentItem());
}

void CategoriesPage::ShowSelected() {
    if (m_filling)
        return;
    const QScopedValueRollback filling(m_filling, true);
    m_shownPath = SelectedPath();
    const CategoryCollection* categories =
        m_providers != nullptr ? &m_providers->Categories() : nullptr;
    const qsizetype position = categories != nullptr && !m_shownPath.isEmpty()
                                   ? categories->LocateCategory(m_shownPath)
                                   : -1;
    const bool selected = position > 0;
    m_txtCategoriesName->setText(selected ? categories->Item(position)->PartialCategoryName()
                                          : QString());
    m_chkCategoriesActive->setChecked(selected && categories->Item(position)->Active);
    for (QWidget* control :
         std::initializer_list<QWidget*>{m_txtCategoriesName, m_chkCategoriesActive,
                                         m_btnCategoriesNewWithin, m_btnCategoriesDelete})
        control->setEnabled(selected);
    m_btnCategoriesNewTop->setEnabled(m_providers != nullptr);
}

// The new category is selected with its name ready to be typed over.
void CategoriesPage::AddCategory(const QString& parentPath) {
    if (m_providers == nullptr)
        return;
    Changed(CategoryEditor(*m_providers).NewCategory(parentPath));
    m_txtCategoriesName->setFocus();
    m_txtCategoriesName->selectAll();
}

void CategoriesPage::TakeName() {
    if (m_filling || m_providers == nullptr || m_shownPath.isEmpty())
        return;
    const QString name = m_txtCategoriesName->text();
    const QString parentPath = Category::ParentCategoryName(m_shownPath);
    const QString renamed = CategoryEditor::ChildPath(parentPath, name.trimmed());
    if (renamed == m_shownPath)
        return;
    const CategoryEditor::RenameResult result =
        CategoryEditor(*m_providers).Rename(m_shownPath, name);
    if (result == CategoryEditor::RenameResult::Renamed)
        Changed(renamed);
    else
        RefuseName(CategoryEditor::RenameMessage(result));
}

// The edit stays open for the user to correct.
void CategoriesPage::RefuseName(const QString& message) {
    if (!message.isEmpty())
        MessageBox::Show(message);
    m_txtCategoriesName->setFocus();
    m_txtCategoriesName->selectAll();
}

void CategoriesPage::SetActive(bool active) {
    if (m_providers == nullptr || m_shownPath.isEmpty())
        return;
    CategoryEditor(*m_providers).SetActive(m_shownPath, active);
    emit Modified();
}

void CategoriesPage::DeleteSelected() {
    if (m_providers == nullptr || m_shownPath.isEmpty())
        return;
    const CategoryEditor::DeleteResult result = CategoryEditor(*m_providers).Delete(m_shownPath);
    if (result.outcome == CategoryEditor::DeleteResult::Outcome::Deleted)
        Changed(result.target);
    const QString message = result.Message();
    if (!message.isEmpty())
        MessageBox::Show(message);
}

void CategoriesPage::Changed(const QString& selectPath) {
    FillAndSelect(selectPath);
    emit Modified();
}
