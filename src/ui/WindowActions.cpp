#include "ui/WindowActions.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

WindowActions::WindowActions(const QList<Entry>& table, QWidget& window)
    : QObject(&window) {
    for (const Entry& entry : table)
        m_actions.insert(entry.name, Build(entry, window));
}

QAction* WindowActions::Build(const Entry& entry, QWidget& window) {
    auto* action = new QAction(entry.caption, &window);
    action->setObjectName(entry.name);
    if (!entry.toolTip.isEmpty())
        action->setToolTip(entry.toolTip);
    if (entry.icon != QStyle::SP_CustomBase)
        action->setIcon(QApplication::style()->standardIcon(entry.icon));
    action->setShortcuts(entry.keys);
    action->setCheckable(entry.checkable);
    action->setEnabled(static_cast<bool>(entry.run));
    if (entry.run)
        connect(action, &QAction::triggered, this, entry.run);
    // An action only answers its keys on a widget it was added to.
    if (!entry.keys.isEmpty())
        window.addAction(action);
    return action;
}

bool WindowActions::TriggerKey(const QKeyEvent& key) const {
    const Qt::KeyboardModifiers held = key.modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    for (QAction* action : m_actions) {
        for (const QKeySequence& sequence : action->shortcuts()) {
            const QKeyCombination combination = sequence[0];
            if (combination.key() == key.key() && combination.keyboardModifiers() == held &&
                action->isEnabled()) {
                action->trigger();
                return true;
            }
        }
    }
    return false;
}
