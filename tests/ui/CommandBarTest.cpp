#include "ui/CommandBar.h"

#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

TEST(CommandBarTest, ArticleEntriesNameRowsWithinTheGrid) {
    const struct {
        const char* key;
        int selected;
        int rows;
        int row;
    } cases[] = {
        {"PREVART1", 4, 9, 1},    {"PREVART3", 4, 9, 3},   {"NEXTART2", 4, 9, 6},
        {"NEXTART9", 4, 9, 9},    {"NEXTART999", 1, 5, 5}, {"PREVART0", 4, 9, 0},
        {"NEXTART1000", 4, 9, 0}, {"NEXTARTx", 4, 9, 0},   {"PLAY", 4, 9, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CommandBar::ArticleRowOf(QString::fromLatin1(c.key), c.selected, c.rows), c.row)
            << c.key;
}

TEST(CommandBarTest, ButtonsMenusAndTheFindBoxAnnounceTheirKeys) {
    CommandBar bar;
    QSignalSpy commands(&bar, &CommandBar::Command);
    QSignalSpy finds(&bar, &CommandBar::FindRequested);
    for (const char* key : {"SETTINGS", "EXIT", "PREVIOUS", "PLAY", "NEXT", "MAIL", "FAST",
                            "FLIPARTICLES", "NEXTCATEGORY", "PREVIOUSCATEGORY"})
        bar.Action(QString::fromLatin1(key))->trigger();
    ASSERT_EQ(commands.count(), 10);
    EXPECT_EQ(commands.at(3).at(0).toString(), "PLAY");
    EXPECT_EQ(bar.Action("PLAY")->text(), "Auto&Flip (Off)");
    bar.SetPlayCaption("Auto&Flip (in 5)");
    EXPECT_EQ(bar.Action("PLAY")->text(), "Auto&Flip (in 5)");
    bar.FindBox().setText("storm");
    emit bar.FindBox().returnPressed();
    ASSERT_EQ(finds.count(), 1);
    EXPECT_EQ(finds.first().at(0).toString(), "storm");
}

TEST(CommandBarTest, DropDownsListTheArticlesAroundTheSelectedOne) {
    CommandBar bar;
    bar.SetArticleSource([] { return std::pair{QStringList{"a", "b", "c", "d"}, 2}; });
    QMenu* next = bar.Action("NEXT")->menu();
    QMenu* previous = bar.Action("PREVIOUS")->menu();
    emit next->aboutToShow();
    emit next->aboutToShow(); // rebuilt, not added twice
    QStringList nextTitles;
    for (QAction* action : next->actions())
        nextTitles.append(action->text());
    EXPECT_EQ(nextTitles, (QStringList{"Next Provider", "", "c", "d"}));
    EXPECT_EQ(previous->actions().last()->text(), "a");
    QSignalSpy commands(&bar, &CommandBar::Command);
    next->actions().last()->trigger();
    EXPECT_EQ(commands.first().at(0).toString(), "NEXTART2");
}

TEST(CommandBarTest, ArticleTitlesShowTheirAmpersands) {
    CommandBar bar;
    bar.SetArticleSource([] {
        return std::pair{QStringList{"Q&A", "Now", "Salt & Pepper", "R&&D &"}, 2};
    });
    QMenu* next = bar.Action("NEXT")->menu();
    QMenu* previous = bar.Action("PREVIOUS")->menu();
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
TEST(CommandBarTest, AnOpenDropDownMakesTheUserBusy) {
    CommandBar bar;
    bar.SetArticleSource([] { return std::pair{QStringList{"a", "b"}, 1}; });
    QSignalSpy busy(&bar, &CommandBar::UserBusy);
    for (const char* button : {"PLAY", "NEXT", "PREVIOUS"}) {
        QMenu* menu = bar.Action(QString::fromLatin1(button))->menu();
        menu->popup(QPoint(10, 10));
        menu->hide();
    }
    QList<bool> states;
    for (const QList<QVariant>& signal : busy)
        states.append(signal.at(0).toBool());
    EXPECT_EQ(states, (QList<bool>{true, false, true, false, true, false}));
}

} // namespace
