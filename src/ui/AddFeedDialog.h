#pragma once

#include <QDialog>

class CategoryCollection;
class CategoryPathTree;
class QLabel;
class QLineEdit;

// Asks for the address of a feed to subscribe to and the category it goes
// into. OK takes only a web address and a category; otherwise the dialog
// says what is missing and stays open.
class AddFeedDialog : public QDialog {
    Q_OBJECT

public:
    // `category` is chosen at first when the tree has it.
    AddFeedDialog(const CategoryCollection& categories, const QString& category,
                  QWidget* parent = nullptr);

    // The address as typed, without surrounding white space.
    QString Address() const;
    // The chosen category's full path; empty for none.
    QString Category() const;

    // Why the address or category cannot be taken; empty when they can.
    static QString Refusal(const QString& address, const QString& category);

private:
    void OnOk();

    QLineEdit* m_address;
    CategoryPathTree* m_categories;
    QLabel* m_message;
};
