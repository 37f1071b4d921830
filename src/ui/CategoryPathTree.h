#pragma once

#include <QHash>
#include <QTreeWidget>

class CategoryCollection;

// The category paths of a collection as a tree of their names, one node per
// category, named "tvCategories" as the windows that show it expect.
class CategoryPathTree : public QTreeWidget {
    Q_OBJECT

public:
    // Empty until filled; nodes are not checkable.
    explicit CategoryPathTree(QWidget* parent = nullptr);
    // With `checkable`, every node starts checked.
    CategoryPathTree(const CategoryCollection& categories, bool checkable,
                     QWidget* parent = nullptr);

    // Replaces the nodes with those of `categories`, all expanded.
    void Fill(const CategoryCollection& categories);
    // The node of `path` (letter case ignored), or nullptr.
    QTreeWidgetItem* NodeOf(const QString& path) const;

    // The full path of a node, empty for none.
    static QString PathOf(const QTreeWidgetItem* item);
    // Makes the node of `path` (letter case ignored) the current one; false
    // when the tree has none.
    bool SelectPath(const QString& path);

private:
    QTreeWidgetItem* EnsureNode(const QString& path);

    bool m_checkable = false;
    // Upper-case path -> node, as paths are matched without regard to case.
    QHash<QString, QTreeWidgetItem*> m_nodes;
};
