#include "ui/FeedTree.h"

#include "feeds/FeedFormat.h"
#include "model/Category.h"
#include "model/Provider.h"
#include "model/ProviderCollection.h"
#include "platform/Currency.h"
#include "platform/MessageBox.h"
#include "ui/LinkPolicy.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QPainter>
#include <QUrl>

#include <limits>

namespace {

// A provider node's item data is its UniqueID; a category node instead
// carries its path, which is also its key.
constexpr int ProviderIDRole = Qt::UserRole;
constexpr int CategoryPathRole = Qt::UserRole + 1;

QIcon PaintedDot(const QColor& colour, bool bRing) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(bRing ? colour : colour.darker(140), bRing ? 3 : 1));
    painter.setBrush(bRing ? QBrush(Qt::NoBrush) : QBrush(colour));
    painter.drawEllipse(QRectF(2.5, 2.5, 11, 11));
    return QIcon(pixmap);
}

QString JoinPath(const QString& strParent, const QString& strName) {
    return strParent.isEmpty() ? strName : strParent + QLatin1Char('/') + strName;
}

QString LastComponent(const QString& strPath) {
    return strPath.mid(strPath.lastIndexOf(QLatin1Char('/')) + 1);
}

// Seconds with three decimals, halves rounded away from zero.
QString ThreeDecimals(const Currency& seconds) {
    const qint64 rest = seconds.Scaled() % 10;
    const qint64 thousandths = seconds.Scaled() / 10 + (rest >= 5 ? 1 : rest <= -5 ? -1 : 0);
    return QString::number(static_cast<double>(thousandths) / 1000.0, 'f', 3);
}

std::optional<Long> ProviderIDOf(const QTreeWidgetItem* item) {
    const QVariant id = item ? item->data(0, ProviderIDRole) : QVariant();
    return id.isValid() ? std::optional<Long>(id.value<Long>()) : std::nullopt;
}

} // namespace

FeedTree::FeedTree(QWidget* parent)
    : QTreeWidget(parent)
    // No new stories, new stories, loading (a ring), failed.
    , m_loadStateIcons{PaintedDot(QColor(120, 170, 120), false),
                       PaintedDot(QColor(255, 150, 0), false),
                       PaintedDot(QColor(50, 110, 220), true),
                       PaintedDot(QColor(210, 40, 40), false)}
    , m_categoryIcon(style()->standardIcon(QStyle::SP_DirIcon)) {
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

void FeedTree::Fill(const ProviderCollection& providers) {
    clear();
    m_categoryNodes.clear();
    m_providerNodes.clear();
    m_providers = &providers;
    AdvanceSelectionValue();
    for (const auto& category : providers.Categories())
        FeedTreeEnsurePath(category->CategoryName);
}

QTreeWidgetItem* FeedTree::FeedTreeEnsurePath(const QString& strPath) {
    if (!m_providers)
        return nullptr;
    const CategoryCollection& categories = m_providers->Categories();
    const qsizetype position = categories.LocateCategory(strPath);
    if (position < 1 || !categories.Item(position)->Visible)
        return nullptr;
    QTreeWidgetItem* node = nullptr;
    QString partialPath;
    for (const QString& component : strPath.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        partialPath = JoinPath(partialPath, component);
        QTreeWidgetItem* known = m_categoryNodes.value(partialPath);
        node = known ? known : AddCategoryNode(node, partialPath, component);
    }
    return node;
}

QTreeWidgetItem* FeedTree::AddCategoryNode(QTreeWidgetItem* parent, const QString& strPath,
                                           const QString& strName) {
    // Filled before it is inserted, so that no change is mistaken for a rename.
    auto* node = new QTreeWidgetItem(QStringList{strName});
    node->setData(0, CategoryPathRole, strPath);
    node->setIcon(0, m_categoryIcon);
    node->setFlags(node->flags() | Qt::ItemIsEditable);
    if (parent)
        parent->addChild(node);
    else
        addTopLevelItem(node);
    m_categoryNodes.insert(strPath, node);
    AddProviderNodes(node, strPath);
    return node;
}

void FeedTree::AddProviderNodes(QTreeWidgetItem* categoryNode, const QString& strPath) {
    for (const auto& provider : *m_providers) {
        if (!provider->Active || provider->Category != strPath)
            continue;
        auto* node = new QTreeWidgetItem;
        node->setData(0, ProviderIDRole, provider->UniqueID);
        ShowProviderState(*provider, node);
        categoryNode->addChild(node);
        m_providerNodes.emplace(provider.get(), ProviderNode{provider, node});
    }
}

void FeedTree::SetActiveProviderListProviderColor(const Provider& proProvider) {
    const auto found = m_providerNodes.find(&proProvider);
    if (found != m_providerNodes.end())
        ShowProviderState(proProvider, found->second.item);
}

// A provider added by its address has no name until its feed has been read.
void FeedTree::ShowProviderState(const Provider& proProvider, QTreeWidgetItem* item) const {
    item->setText(0, proProvider.ProviderName.isEmpty() ? proProvider.DataURL
                                                        : proProvider.ProviderName);
    const Long state = proProvider.LoadState;
    const bool known = state >= LoadState::Loaded && state <= LoadState::Failed;
    item->setIcon(0, known ? m_loadStateIcons[static_cast<std::size_t>(state)] : QIcon());
    item->setToolTip(0, LastLoadTimeTip(proProvider));
}

void FeedTree::SetShowLastLoadTimeTooltip(bool bShow) {
    m_showLastLoadTime = bShow;
    for (const auto& [key, node] : m_providerNodes)
        node.item->setToolTip(0, LastLoadTimeTip(*node.provider));
}

QString FeedTree::LastLoadTimeTip(const Provider& proProvider) const {
    if (!m_showLastLoadTime)
        return QString();
    return QStringLiteral("Last Load Time: ") + ThreeDecimals(proProvider.LastLoadDuration) +
           QStringLiteral(" seconds");
}

std::optional<Long> FeedTree::SelectedProviderID() const {
    return ProviderIDOf(currentItem());
}

QString FeedTree::SelectedCategoryPath() const {
    const QTreeWidgetItem* item = currentItem();
    return item ? item->data(0, CategoryPathRole).toString() : QString();
}

bool FeedTree::SelectProvider(Long lUniqueID) {
    for (QTreeWidgetItemIterator it(this); *it; ++it) {
        if (ProviderIDOf(*it) != lUniqueID)
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
bool FeedTree::IsFreeCategoryPath(const QString& strOldPath, const QString& strNewPath) const {
    if (!m_providers)
        return true;
    const CategoryCollection& categories = m_providers->Categories();
    const qsizetype existing = categories.LocateCategory(strNewPath);
    return existing == -1 || existing == categories.LocateCategory(strOldPath);
}

// The node's key and those of the category nodes below it start with its
// path.
void FeedTree::RekeyCategoryNodes(QTreeWidgetItem* item, const QString& strOldPath,
                                  const QString& strNewPath) {
    const QVariant key = item->data(0, CategoryPathRole);
    if (!key.isValid())
        return;
    const QString path = strNewPath + key.toString().mid(strOldPath.size());
    m_categoryNodes.remove(key.toString());
    m_categoryNodes.insert(path, item);
    item->setData(0, CategoryPathRole, path);
    for (int i = 0; i < item->childCount(); ++i)
        RekeyCategoryNodes(item->child(i), strOldPath, strNewPath);
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
