#pragma once

#include <QHash>
#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QStyle>

#include <functional>

class QAction;
class QKeyEvent;
class QWidget;

// The commands of the main window as actions, built from one table: the
// command bar, the context menu, the tray menu and the window's keys all
// show the same actions, found by name.
class WindowActions : public QObject {
    Q_OBJECT

public:
    struct Entry {
        // The command bar's key ("NEXT") or the menu item's name
        // ("mnuContextExit").
        QString name;
        QString caption;
        QString toolTip;
        QList<QKeySequence> keys;
        // QStyle::SP_CustomBase for none.
        QStyle::StandardPixmap icon = QStyle::SP_CustomBase;
        // Null for a command that is not available (yet): its action is
        // disabled.
        std::function<void()> run;
        bool checkable = false;
    };

    // Every action's keys work anywhere in `window`.
    WindowActions(const QList<Entry>& table, QWidget& window);

    // Runs the enabled action whose key this is (Shift aside, which some
    // keyboards need for "<" and "?"); false when none has it. For views that
    // take typed keys for their own search before the window's keys see
    // them.
    bool TriggerKey(const QKeyEvent& key) const;

    // Null for a name the table does not have.
    QAction* Action(const QString& name) const { return m_actions.value(name); }

private:
    QAction* Build(const Entry& entry, QWidget& window);

    QHash<QString, QAction*> m_actions;
};
