#include "ui/CommandBar.h"

#include "support/WindowActionsHost.h"

#include <QLineEdit>
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

TEST_F(CommandBarTest, ButtonsComeInOrderAndTheFindBoxAnnouncesItsText) {
    EXPECT_EQ(Captions(bar.actions()),
              (QStringList{"&Settings", "Help", "About", "E&xit", "-", "", "", "-", "&Previous",
                           "Auto&Flip (Off)", "&Next", "-", "&Send"}));
    EXPECT_FALSE(Button("SETTINGS")->isEnabled());
    EXPECT_EQ(Captions(Button("PLAY")->menu()->actions()),
              (QStringList{"Fast", "Medium", "Slow", "-", "Flip Providers", "Flip Articles"}));
    bar.SetPlayCaption("Auto&Flip (in 5)");
    EXPECT_EQ(Button("PLAY")->text(), "Auto&Flip (in 5)");
    QSignalSpy finds(&bar, &CommandBar::FindRequested);
    bar.FindBox().setText("storm");
    emit bar.FindBox().returnPressed();
    ASSERT_EQ(finds.count(), 1);
    EXPECT_EQ(finds.first().at(0).toString(), "storm");
}

// A "&" in a title is shown, not taken for a shortcut mark.
TEST_F(CommandBarTest, DropDownsListTheArticlesAroundTheSelectedOne) {
    bar.SetArticleSource([] { return std::pair{QStringList{"a", "b", "c", "d"}, 2}; });
    QMenu* next = Button("NEXT")->menu();
    QMenu* previous = Button("PREVIOUS")->menu();
    emit next->aboutToShow();
    emit next->aboutToShow(); // rebuilt, not added twice
    EXPECT_EQ(Captions(next->actions()), (QStringList{"Next Provider", "-", "c", "d"}));
    EXPECT_EQ(previous->actions().last()->text(), "a");
    QSignalSpy chosen(&bar, &CommandBar::ArticleChosen);
    next->actions().last()->trigger();
    EXPECT_EQ(chosen.first().at(0).toInt(), 4);
}

} // namespace
