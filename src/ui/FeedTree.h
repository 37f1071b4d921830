#pragma once

#include "platform/Types.h"
#include "ui/ListFont.h"
#include "ui/ProviderNode.h"

#include <QHash>
#include <QIcon>
#include <QTreeWidget>

#include <memory>
#include <optional>
#include <vector>

class Currency;
class Provider;
class ProviderCollection;

// The tree of categories with their providers as leaves. Only visible
// categories and active providers get nodes. A category node is keyed by its
// path and can be renamed in place; a provider node carries its provider's
// UniqueID and shows its LoadState as its icon.
class FeedTree : public QTreeWidget {
    Q_OBJECT

public:
    explicit FeedTree(QWidget* parent = nullptr);
    ~FeedTree() override;

    // Replaces every node: each category of the collection in its order
    // (parents first), through FeedTreeEnsurePath. Visibility is taken as last
    // computed. The tree consults the collection's categories until the next
    // Fill, so it must live that long.
    void Fill(const ProviderCollection& providers);
    // The node of a category path, creating the missing nodes on the way; a
    // category node gets its active providers when it is created. Null when
    // the category is unknown or not visible.
    QTreeWidgetItem* FeedTreeEnsurePath(const QString& path);

    // Redraws the provider's node (name, LoadState, last load time), when it
    // has one.
    void SetActiveProviderListProviderColor(const Provider& provider);
    void SetShowLastLoadTimeTooltip(bool show);
    // Provider nodes on their provider's own back colour, or the tree's.
    void SetProviderColours(bool use);
    // The tree's font; a size of 0 or less restores its built-in font and
    // ignores the name.
    void ApplyFont(const QString& name, const Currency& size);

    // A positive number that changes whenever the selected node changes,
    // refills included.
    int SelectionValue() const { return m_selectionValue; }
    // Nothing unless a provider node is selected.
    std::optional<Long> SelectedProviderID() const;
    // Empty unless a category node is selected.
    QString SelectedCategoryPath() const;
    // Selects the provider's first node without announcing it (no
    // ProviderSelected); false when it has none.
    bool SelectProvider(Long id);

    // The node under `position` (viewport coordinates): its provider's ID
    // (nothing for a category node) and its category path.
    std::optional<Long> ProviderIDAt(const QPoint& position) const;
    QString CategoryPathAt(const QPoint& position) const;

signals:
    // The user selected a node.
    void ProviderSelected(Long id);
    void CategorySelected(const QString& path);
    // A category node was renamed in place; the tree already goes by the new
    // path, the collection is the receiver's to update (RenameCategory).
    void CategoryRenamed(const QString& from, const QString& to);
    // An http or https address was dropped on the tree. `category` is the
    // path of the category node it fell on (the provider's category for a
    // provider node), empty below the last node.
    void ProviderURLDropped(const QString& url, const QString& category);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Category path -> its active providers, in list order.
    using ActiveProviders = QHash<QString, std::vector<std::shared_ptr<Provider>>>;

    ActiveProviders ActiveByCategory() const;
    QTreeWidgetItem* EnsurePath(const QString& path, const ActiveProviders& active);
    QTreeWidgetItem* AddCategoryNode(QTreeWidgetItem* parent, const QString& path,
                                     const QString& name, const ActiveProviders& active);
    void AddProviderNodes(QTreeWidgetItem* categoryNode,
                          const std::vector<std::shared_ptr<Provider>>& providers);
    QString CategoryPathAt(const QTreeWidgetItem* item) const;
    void AdvanceSelectionValue();
    void OnCurrentItemChanged(QTreeWidgetItem* current);
    void OnItemChanged(QTreeWidgetItem* item);
    bool IsFreeCategoryPath(const QString& oldPath, const QString& newPath) const;
    void RekeyCategoryNodes(QTreeWidgetItem* item, const QString& oldPath, const QString& newPath);

    const ProviderCollection* m_providers = nullptr;
    QHash<QString, QTreeWidgetItem*> m_categoryNodes;
    ProviderNode::Looks m_looks;
    QHash<const Provider*, ProviderNode*> m_providerNodes;
    QIcon m_categoryIcon;
    ListFont m_font;
    bool m_selectingQuietly = false;
    int m_selectionValue = 1;
};
