#pragma once

#include "platform/Types.h"

#include <QHash>
#include <QIcon>
#include <QTreeWidget>

#include <array>
#include <memory>
#include <optional>
#include <unordered_map>

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

    // Replaces every node: each category of the collection in its order
    // (parents first), through FeedTreeEnsurePath. Visibility is taken as last
    // computed. The tree consults the collection's categories until the next
    // Fill, so it must live that long.
    void Fill(const ProviderCollection& providers);
    // The node of a category path, creating the missing nodes on the way; a
    // category node gets its active providers when it is created. Null when
    // the category is unknown or not visible.
    QTreeWidgetItem* FeedTreeEnsurePath(const QString& strPath);

    // Shows the provider's name, LoadState and last load time on its node,
    // when it has one.
    void SetActiveProviderListProviderColor(const Provider& proProvider);
    void SetShowLastLoadTimeTooltip(bool bShow);

    // A positive number that changes whenever the selected node changes,
    // refills included.
    int SelectionValue() const { return m_selectionValue; }
    // Nothing unless a provider node is selected.
    std::optional<Long> SelectedProviderID() const;
    // Empty unless a category node is selected.
    QString SelectedCategoryPath() const;
    // Selects the provider's first node without announcing it (no
    // ProviderSelected); false when it has none.
    bool SelectProvider(Long lUniqueID);

    // The node under `position` (viewport coordinates): its provider's ID
    // (nothing for a category node) and its category path.
    std::optional<Long> ProviderIDAt(const QPoint& position) const;
    QString CategoryPathAt(const QPoint& position) const;

signals:
    // The user selected a node.
    void ProviderSelected(Long lUniqueID);
    void CategorySelected(const QString& strPath);
    // A category node was renamed in place; the tree already goes by the new
    // path, the collection is the receiver's to update (RenameCategory).
    void CategoryRenamed(const QString& strFrom, const QString& strTo);
    // An http or https address was dropped on the tree. strCategory is the
    // path of the category node it fell on (the provider's category for a
    // provider node), empty below the last node.
    void ProviderURLDropped(const QString& strURL, const QString& strCategory);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    struct ProviderNode {
        // Held so the tooltips can be rebuilt whatever became of the list.
        std::shared_ptr<const Provider> provider;
        QTreeWidgetItem* item;
    };

    QTreeWidgetItem* AddCategoryNode(QTreeWidgetItem* parent, const QString& strPath,
                                     const QString& strName);
    void AddProviderNodes(QTreeWidgetItem* categoryNode, const QString& strPath);
    void ShowProviderState(const Provider& proProvider, QTreeWidgetItem* item) const;
    QString LastLoadTimeTip(const Provider& proProvider) const;
    QString CategoryPathAt(const QTreeWidgetItem* item) const;
    void AdvanceSelectionValue();
    void OnCurrentItemChanged(QTreeWidgetItem* current);
    void OnItemChanged(QTreeWidgetItem* item);
    bool IsFreeCategoryPath(const QString& strOldPath, const QString& strNewPath) const;
    void RekeyCategoryNodes(QTreeWidgetItem* item, const QString& strOldPath,
                            const QString& strNewPath);

    const ProviderCollection* m_providers = nullptr;
    QHash<QString, QTreeWidgetItem*> m_categoryNodes;
    std::unordered_map<const Provider*, ProviderNode> m_providerNodes;
    std::array<QIcon, 4> m_loadStateIcons;
    QIcon m_categoryIcon;
    bool m_showLastLoadTime = false;
    bool m_selectingQuietly = false;
    int m_selectionValue = 1;
};
