#pragma once

#include <QDialog>

class CategoryCollection;
class CategoryPathTree;

// Asks which category a new provider goes into. "Select" takes the path of
// the chosen node; any other way out chooses nothing.
class SelectCategory : public QDialog {
    Q_OBJECT

public:
    explicit SelectCategory(const CategoryCollection& categories, QWidget* parent = nullptr);

    // The chosen category's full path; empty unless "Select" closed the
    // window.
    QString getSelected() const { return m_selected; }

private:
    void OnSelect();

    CategoryPathTree* m_categories;
    QString m_selected;
};
