#include "ui/CommandBar.h"

#include "support/WindowActionsHost.h"

#include <QMenu>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

// The bar over the window's own actions.
class CommandBarTest : public WindowActionsHost {
protected:
    QAction* Button(const char* name) const {
        return commands.Actions().Action(QString::fromLatin1(name));
    }

    CommandBar bar{commands.Actions(), &window};
};

// The drop-downs' entries and the find box are walked through the main
// window (tests/data/main-window/command-bar).
TEST_F(CommandBarTest, ThePlayCaptionShows) {
    bar.SetPlayCaption("Auto&Flip (in 5)");
    EXPECT_EQ(Button("PLAY")->text(), "Auto&Flip (in 5)");
}

// An open drop-down keeps automatic flipping from moving the grid under it.
TEST_F(CommandBarTest, AnOpenDropDownMakesTheUserBusy) {
    bar.SetArticleSource([] { return std::pair{QStringList{"a", "b"}, 1}; });
    QSignalSpy busy(&bar, &CommandBar::UserBusy);
    for (const char* button : {"PLAY", "NEXT", "PREVIOUS"}) {
        QMenu* menu = Button(button)->menu();
        menu->popup(QPoint(10, 10));
        menu->hide();
    }
    QList<bool> states;
    for (const QList<QVariant>& signal : busy)
        states.append(signal.at(0).toBool());
    EXPECT_EQ(states, (QList<bool>{true, false, true, false, true, false}));
}

} // namespace
