#pragma once

#include <QWidget>

class CategoryPathTree;
class ProviderCollection;
class QCheckBox;
class QLineEdit;
class QPushButton;

// The settings dialog's category tree: new categories, renaming,
// switching on and off, and deleting, on the dialog's working provider list.
class CategoriesPage : public QWidget {
    Q_OBJECT

public:
    explicit CategoriesPage(QWidget* parent = nullptr);

    // Edits `providers` until Release.
    void In(ProviderCollection& providers);
    void Release();
    // Shows the working list's categories again, keeping the selection where
    // the category still exists.
    void Refill();

signals:
    // The working list changed.
    void Modified();

private:
    QString SelectedPath() const;
    void FillAndSelect(const QString& path);
    void ShowSelected();
    void AddCategory(const QString& parentPath);
    void TakeName();
    void RefuseName(const QString& message);
    void SetActive(bool active);
    void DeleteSelected();
    void Changed(const QString& selectPath);

    ProviderCollection* m_providers = nullptr;
    // The category whose name the name box holds.
    QString m_shownPath;
    bool m_filling = false;
    CategoryPathTree* m_categories;
    QLineEdit* m_name;
    QCheckBox* m_categoryActive;
    QPushButton* m_newWithin;
    QPushButton* m_newTop;
    QPushButton* m_delete;
};
