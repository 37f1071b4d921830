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
    , m_categories(new CategoryPathTree(this))
    , m_name(new QLineEdit(this))
    , m_categoryActive(new QCheckBox(QStringLiteral("Active"), this))
    , m_newWithin(
          Button(QStringLiteral("btnCategoriesNewWithin"), QStringLiteral("New Within"), this))
    , m_newTop(Button(QStringLiteral("btnCategoriesNewTop"), QStringLiteral("New Top"), this))
    , m_delete(Button(QStringLiteral("btnCategoriesDelete"), QStringLiteral("Delete"), this)) {
    m_name->setObjectName(QStringLiteral("txtCategoriesName"));
    m_name->setValidator(new CategoryNameValidator(m_name));
    m_categoryActive->setObjectName(QStringLiteral("chkCategoriesActive"));

    auto* details = new QFormLayout;
    details->addRow(QStringLiteral("Name:"), m_name);
    details->addRow(QString(), m_categoryActive);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_newWithin);
    buttons->addWidget(m_newTop);
    buttons->addStretch();
    buttons->addWidget(m_delete);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_categories);
    layout->addLayout(details);
    layout->addLayout(buttons);

    connect(m_categories, &QTreeWidget::currentItemChanged, this, &CategoriesPage::ShowSelected);
    connect(m_name, &QLineEdit::editingFinished, this, &CategoriesPage::TakeName);
    connect(m_categoryActive, &QCheckBox::clicked, this, &CategoriesPage::SetActive);
    connect(m_newWithin, &QPushButton::clicked, this, [this] { AddCategory(SelectedPath()); });
    connect(m_newTop, &QPushButton::clicked, this, [this] { AddCategory(QString()); });
    connect(m_delete, &QPushButton::clicked, this, &CategoriesPage::DeleteSelected);
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
            m_categories->Fill(m_providers->Categories());
        else
            m_categories->clear();
    }
    QTreeWidgetItem* node = m_categories->NodeOf(path);
    m_categories->setCurrentItem(node != nullptr ? node : m_categories->topLevelItem(0));
    ShowSelected();
}

QString CategoriesPage::SelectedPath() const {
    return CategoryPathTree::PathOf(m_categories->currentItem());
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
    m_name->setText(selected ? categories->Item(position)->PartialCategoryName() : QString());
    m_categoryActive->setChecked(selected && categories->Item(position)->Active);
    for (QWidget* control :
         std::initializer_list<QWidget*>{m_name, m_categoryActive, m_newWithin, m_delete})
        control->setEnabled(selected);
    m_newTop->setEnabled(m_providers != nullptr);
}

// The new category is selected with its name ready to be typed over.
void CategoriesPage::AddCategory(const QString& parentPath) {
    if (m_providers == nullptr)
        return;
    Changed(CategoryEditor(*m_providers).NewCategory(parentPath));
    m_name->setFocus();
    m_name->selectAll();
}

void CategoriesPage::TakeName() {
    if (m_filling || m_providers == nullptr || m_shownPath.isEmpty())
        return;
    const QString name = m_name->text();
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
    m_name->setFocus();
    m_name->selectAll();
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
