#include "ui/ContextMenu.h"

#include "config/Settings.h"
#include "support/TestData.h"
#include "support/WindowActionsHost.h"

#include <QHash>

#include <gtest/gtest.h>

namespace {

using Place = ContextMenu::Place;

// Separators show as "-", so that a misplaced one stands out.
QString VisibleItems(const ContextMenu& menu) {
    QStringList names;
    for (const QAction* action : menu.actions())
        if (action->isVisible())
            names.append(action->objectName().isEmpty() ? QStringLiteral("-")
                                                        : action->objectName());
    return names.join(' ');
}

// The menu over the window's own actions.
class ContextMenuTest : public WindowActionsHost {
protected:
    ContextMenu menu{commands.Actions(), &window};
};

TEST_F(ContextMenuTest, EachPlaceShowsItsOwnCommands) {
    const QHash<QString, Place> places = {{"ProviderNode", Place::ProviderNode},
                                          {"CategoryNode", Place::CategoryNode},
                                          {"ArticleGrid", Place::ArticleGrid},
                                          {"OtherPane", Place::OtherPane},
                                          {"TrayIcon", Place::TrayIcon}};
    for (const QStringList& c : TestData::Table(QStringLiteral("tables/context_menu_places.tsv"))) {
        SCOPED_TRACE(c[0].toStdString());
        menu.PrepareFor(places.value(c[0]), Settings{});
        EXPECT_EQ(VisibleItems(menu),
                  c[1] + " mnuContextSettings mnuContextAbout mnuContextHelp mnuContextExit");
        EXPECT_EQ(menu.defaultAction() == menu.Item("mnuContextVarnocet"), c[0] == "TrayIcon");
    }
}

// The View menu's check marks at each opening are walked through the main
// window (tests/data/main-window/view-menu-marks).

// That an open menu, its View submenu included, makes the user busy is
// walked through the main window (tests/data/main-window/user-busy).

} // namespace
