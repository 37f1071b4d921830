#pragma once

#include <QDialog>

class CategoryCollection;
class CategoryPathTree;
class QTreeWidgetItem;

// Shown on the first run so the user can switch off whole branches of the
// category tree before the background refresh starts. Every category starts
// chosen; OK makes the choice the categories' Active flags.
class Startup : public QDialog {
    Q_OBJECT

public:
    explicit Startup(CategoryCollection& categories, QWidget* parent = nullptr);

private:
    void OnItemChanged(QTreeWidgetItem* item);
    static void SetSubtreeChecked(QTreeWidgetItem* item, Qt::CheckState state);
    static void CheckAncestors(QTreeWidgetItem* item);
    void OnOK();

    CategoryCollection& m_categories;
    CategoryPathTree* m_tree;
    // Set while a change is being carried through the tree, so the changes it
    // makes itself are not carried again.
    bool m_propagating = false;
};
