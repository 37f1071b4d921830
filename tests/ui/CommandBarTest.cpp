#include "ui/CommandBar.h"

#include "support/WindowActionsHost.h"

#include <QKeySequence>
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

TEST_F(CommandBarTest, ThePlayCaptionShowsAndTheFindBoxAnnouncesItsText) {
    bar.SetPlayCaption("Auto&Flip (in 5)");
    EXPECT_EQ(Button("PLAY")->text(), "Auto&Flip (in 5)");
    QSignalSpy finds(&bar, &CommandBar::FindRequested);
    bar.FindBox().setText("storm");
    emit bar.FindBox().returnPressed();
    ASSERT_EQ(finds.count(), 1);
    EXPECT_EQ(finds.first().at(0).toString(), "storm");
}

TEST_F(CommandBarTest, DropDownsListTheArticlesAroundTheSelectedOneWithTheirAmpersands) {
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

    bar.SetArticleSource([] {
        return std::pair{QStringList{"Q&A", "Now", "Salt & Pepper", "R&&D &"}, 2};
    });
    emit next->aboutToShow();
    const QList<QAction*> entries = {previous->actions().last(), next->actions().at(2),
                                     next->actions().at(3)};
    QStringList texts;
    for (QAction* entry : entries) {
        texts.append(entry->text());
        EXPECT_TRUE(QKeySequence::mnemonic(entry->text()).isEmpty()) << entry->text().toStdString();
    }
    EXPECT_EQ(texts, (QStringList{"Q&&A", "Salt && Pepper", "R&&&&D &&"}));
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
