#pragma once

#include <QHash>
#include <QMenu>

class Settings;

// The menu of a right click in the main window or on its notification icon.
// Which of its first commands make sense depends on where the click was; the
// window decides what each command does, told by the item's object name.
class ContextMenu : public QMenu {
    Q_OBJECT

public:
    enum class Place { ProviderNode, CategoryNode, ArticleGrid, OtherPane, TrayIcon };

    explicit ContextMenu(QWidget* parent = nullptr);

    // Run before every opening: the commands of the place, and the View check
    // marks as the preferences stand now (they may have changed elsewhere).
    void PrepareFor(Place place, const Settings& settings);

    // Null for a name the menu does not have.
    QAction* Item(const QString& name) const { return m_items.value(name); }

Q_SIGNALS:
    void Chosen(const QString& itemName);
    // The menu opened (true) or closed (false).
    void UserBusy(bool busy);

private:
    QAction* AddItem(QMenu* menu, const QString& name, const QString& caption);
    void AddSeparator(const QString& name);

    QHash<QString, QAction*> m_items;
};
