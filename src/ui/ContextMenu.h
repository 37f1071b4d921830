#pragma once

#include <QHash>
#include <QMenu>

#include <array>
#include <initializer_list>

class Settings;
class WindowActions;

// The menu of a right click in the main window or on its notification icon.
// It shows the window's actions; which of its first commands make sense
// depends on where the click was.
class ContextMenu : public QMenu {
    Q_OBJECT

public:
    enum class Place { ProviderNode, CategoryNode, ArticleGrid, OtherPane, TrayIcon };

    // The items of the View submenu, each turning a preference on or off.
    struct ViewItem {
        const char* name;
        const char* caption;
        bool Settings::*preference;
    };
    static const std::array<ViewItem, 6>& ViewItems();

    ContextMenu(const WindowActions& actions, QWidget* parent = nullptr);

    // Run before every opening: the commands of the place, and the View check
    // marks as the preferences stand now (they may have changed elsewhere).
    void PrepareFor(Place place, const Settings& settings);

    // Null for a name the menu does not have.
    QAction* Item(const QString& name) const { return m_items.value(name); }

Q_SIGNALS:
    // The menu opened (true) or closed (false).
    void UserBusy(bool busy);

private:
    void AddItems(QMenu* menu, std::initializer_list<const char*> names);
    void AddSeparator(const QString& name);

    const WindowActions& m_actions;
    QHash<QString, QAction*> m_items;
};
