#include "ui/FeedTree.h"

#include "model/Category.h"
#include "model/Provider.h"
#include "model/ProviderCollection.h"
#include "platform/LinkPolicy.h"
#include "platform/MessageBox.h"
#include "ui/ProviderNode.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include <limits>

namespace {

// A provider node's item data is its UniqueID; a category node instead
// carries its path, which is also its key.
constexpr int CategoryPathRole = ProviderNode::IDRole + 1;

QString JoinPath(const QString& parent, const QString& name) {
    return parent.isEmpty() ? name : parent + QLatin1Char('/') + name;
}

QString LastComponent(const QString& path) {
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

std::optional<Long> ProviderIDOf(const QTreeWidgetItem* item) {
    const QVariant id = item ? item->data(0, ProviderNode::IDRole) : QVariant();
    return id.isValid() ? std::optional<Long>(id.value<Long>()) : std::nullopt;
}

} // namespace

FeedTree::FeedTree(QWidget* parent)
    : QTreeWidget(parent)
    , m_categoryIcon(style()->standardIcon(QStyle::SP_DirIcon))
    , m_font(font()) {
    setObjectName(QStringLiteral("FeedTree"));
    setColumnCount(1);
    setHeaderHidden(true);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    setDragDropMode(QAbstractItemView::DropOnly);
    connect(this, &QTreeWidget::currentItemChanged, this, &FeedTree::OnCurrentItemChanged);
    connect(this, &QTreeWidget::itemChanged, this, &FeedTree::OnItemChanged);
}

// The provider nodes draw with m_looks, which goes before the base class
// would delete them.
FeedTree::~FeedTree() {
    clear();
}

void FeedTree::Fill(const ProviderCollection& providers) {
    clear();
    m_categoryNodes.clear();
    m_providerNodes.clear();
    m_providers = &providers;
    AdvanceSelectionValue();
    const ActiveProviders active = ActiveByCategory();
    for (const auto& category : providers.Categories())
        EnsurePath(category->CategoryName, active);
}

QTreeWidgetItem* FeedTree::FeedTreeEnsurePath(const QString& path) {
    return m_providers ? EnsurePath(path, ActiveByCategory()) : nullptr;
}

// One pass over the list, rather than one per category node.
FeedTree::ActiveProviders FeedTree::ActiveByCategory() const {
    ActiveProviders active;
    for (const auto& provider : *m_providers) {
        if (provider->Active)
            active[provider->Category].push_back(provider);
    }
    return active;
}

QTreeWidgetItem* FeedTree::EnsurePath(const QString& path, const ActiveProviders& active) {
    const CategoryCollection& categories = m_providers->Categories();
    const qsizetype position = categories.LocateCategory(path);
    if (position < 1 || !categories.Item(position)->Visible)
        return nullptr;
    QTreeWidgetItem* node = nullptr;
    QString partialPath;
    for (const QString& component : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        partialPath = JoinPath(partialPath, component);
        QTreeWidgetItem* known = m_categoryNodes.value(partialPath);
        node = known ? known : AddCategoryNode(node, partialPath, component, active);
    }
    return node;
}

QTreeWidgetItem* FeedTree::AddCategoryNode(QTreeWidgetItem* parent, const QString& path,
                                           const QString& name, const ActiveProviders& active) {
    // Filled before it is inserted, so that no change is mistaken for a rename.
    auto* node = new QTreeWidgetItem(QStringList{name});
    node->setData(0, CategoryPathRole, path);
    node->setIcon(0, m_categoryIcon);
    node->setFlags(node->flags() | Qt::ItemIsEditable);
    AddProviderNodes(node, active.value(path));
    if (parent)
        parent->addChild(node);
    else
        addTopLevelItem(node);
    m_categoryNodes.insert(path, node);
    return node;
}

void FeedTree::AddProviderNodes(QTreeWidgetItem* categoryNode,
                                const std::vector<std::shared_ptr<Provider>>& providers) {
    QList<QTreeWidgetItem*> nodes;
    nodes.reserve(static_cast<qsizetype>(providers.size()));
    for (const auto& provider : providers) {
        auto* node = new ProviderNode(provider, m_looks);
        nodes.append(node);
        m_providerNodes.insert(provider.get(), node);
    }
    categoryNode->addChildren(nodes);
}

void FeedTree::SetActiveProviderListProviderColor(const Provider& provider) {
    if (ProviderNode* node = m_providerNodes.value(&provider))
        node->Refresh();
}

// The nodes ask for their tooltips when they show them.
void FeedTree::SetShowLastLoadTimeTooltip(bool show) {
    m_looks.ShowLastLoadTime = show;
}

void FeedTree::SetProviderColours(bool use) {
    m_looks.ProviderColours = use;
    viewport()->update();
}

void FeedTree::ApplyFont(const QString& name, const Currency& size) {
    setFont(m_font.Chosen(name, size));
}

std::optional<Long> FeedTree::SelectedProviderID() const {
    return ProviderIDOf(currentItem());
}

QString FeedTree::SelectedCategoryPath() const {
    const QTreeWidgetItem* item = currentItem();
    return item ? item->data(0, CategoryPathRole).toString() : QString();
}

bool FeedTree::SelectProvider(Long id) {
    for (QTreeWidgetItemIterator it(this); *it; ++it) {
        if (ProviderIDOf(*it) != id)
            continue;
        m_selectingQuietly = true;
        setCurrentItem(*it);
        m_selectingQuietly = false;
        scrollToItem(*it);
        return true;
    }
    return false;
}

QString FeedTree::CategoryPathAt(const QTreeWidgetItem* item) const {
    if (!item)
        return QString();
    const QVariant path = item->data(0, CategoryPathRole);
    return path.isValid() ? path.toString() : CategoryPathAt(item->parent());
}

void FeedTree::AdvanceSelectionValue() {
    m_selectionValue =
        m_selectionValue == std::numeric_limits<int>::max() ? 1 : m_selectionValue + 1;
}

void FeedTree::OnCurrentItemChanged(QTreeWidgetItem* current) {
    AdvanceSelectionValue();
    if (!current || m_selectingQuietly)
        return;
    const QVariant path = current->data(0, CategoryPathRole);
    if (path.isValid())
        emit CategorySelected(path.toString());
    else
        emit ProviderSelected(ProviderIDOf(current).value_or(0));
}

// Any change of a node passes here; only a category node whose text no
// longer matches its key has been renamed.
void FeedTree::OnItemChanged(QTreeWidgetItem* item) {
    const QString oldPath = item->data(0, CategoryPathRole).toString();
    const QString oldName = LastComponent(oldPath);
    const QString newName = item->text(0);
    if (oldPath.isEmpty() || newName == oldName)
        return;
    const QString newPath = JoinPath(CategoryPathAt(item->parent()), newName);
    if (!Category::IsValidPartialName(newName)) {
        item->setText(0, oldName);
        QApplication::beep();
        return;
    }
    if (!IsFreeCategoryPath(oldPath, newPath)) {
        item->setText(0, oldName);
        // Not from inside the editor's commit: a modal box there would run
        // while the editor is half closed.
        QMetaObject::invokeMethod(
            this,
            [] { MessageBox::Show(QStringLiteral("There is already a category with that name!")); },
            Qt::QueuedConnection);
        return;
    }
    RekeyCategoryNodes(item, oldPath, newPath);
    emit CategoryRenamed(oldPath, newPath);
}

// Paths compare without regard to letter case, as the collection looks them
// up; the category itself may take a different case.
bool FeedTree::IsFreeCategoryPath(const QString& oldPath, const QString& newPath) const {
    if (!m_providers)
        return true;
    const CategoryCollection& categories = m_providers->Categories();
    const qsizetype existing = categories.LocateCategory(newPath);
    return existing == -1 || existing == categories.LocateCategory(oldPath);
}

// The node's key and those of the category nodes below it start with its
// path.
void FeedTree::RekeyCategoryNodes(QTreeWidgetItem* item, const QString& oldPath,
                                  const QString& newPath) {
    const QVariant key = item->data(0, CategoryPathRole);
    if (!key.isValid())
        return;
    const QString path = newPath + key.toString().mid(oldPath.size());
    m_categoryNodes.remove(key.toString());
    m_categoryNodes.insert(path, item);
    item->setData(0, CategoryPathRole, path);
    for (int i = 0; i < item->childCount(); ++i)
        RekeyCategoryNodes(item->child(i), oldPath, newPath);
}

std::optional<Long> FeedTree::ProviderIDAt(const QPoint& position) const {
    return ProviderIDOf(itemAt(position));
}

QString FeedTree::CategoryPathAt(const QPoint& position) const {
    return CategoryPathAt(itemAt(position));
}

// Any text is let in, so that what is refused is refused audibly on the drop.
void FeedTree::dragEnterEvent(QDragEnterEvent* event) {
    dragMoveEvent(event);
}

void FeedTree::dragMoveEvent(QDragMoveEvent* event) {
    if (event->mimeData()->hasText())
        event->acceptProposedAction();
    else
        event->ignore();
}

void FeedTree::dropEvent(QDropEvent* event) {
    if (!event->mimeData()->hasText()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    // Dropped text comes from address bars, links and editors and often ends
    // in a line break.
    const QString url = event->mimeData()->text().trimmed();
    if (!LinkPolicy::WebAddress(url, QUrl::StrictMode)) {
        QApplication::beep();
        return;
    }
    emit ProviderURLDropped(url, CategoryPathAt(itemAt(event->position().toPoint())));
}
