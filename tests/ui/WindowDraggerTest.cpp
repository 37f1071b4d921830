#include "ui/WindowDragger.h"

#include "support/MouseDrag.h"
#include "support/TestData.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QToolBar>

#include <gtest/gtest.h>

namespace {

// Counts the moves the dragger asks for instead of asking a window manager.
class WindowDraggerTest : public ::testing::Test {
protected:
    WindowDraggerTest() {
        dragger.SetMover([this](QWidget& widget) { moved.append(&widget); });
        window.setCentralWidget(body);
        window.addToolBar(bar);
        bar->addAction(QStringLiteral("Act"));
        dragger.Watch(*body);
        dragger.Watch(*bar);
        window.resize(600, 400);
        window.show();
    }

    QMainWindow window;
    QLabel* body = new QLabel(QStringLiteral("Body"));
    QToolBar* bar = new QToolBar;
    WindowDragger dragger;
    QList<QWidget*> moved;
};

} // namespace

TEST_F(WindowDraggerTest, OnlyALeftDragPastTheDragDistanceMovesTheWindowWhileEnabled) {
    const int far = QApplication::startDragDistance() + 1;
    const auto pixels = [far](const QString& step) {
        return step.endsWith(u"far") ? (step.startsWith(u'-') ? -far : far) : step.toInt();
    };
    for (const QStringList& drag : TestData::Table(QStringLiteral("tables/window_drags.tsv"))) {
        SCOPED_TRACE(drag.join(u' ').toStdString());
        moved.clear();
        dragger.SetEnabled(drag[0] == u"on");
        MouseDrag(*body, {50, 50}, {pixels(drag[2]), pixels(drag[3])},
                  drag[1] == u"left" ? Qt::LeftButton : Qt::RightButton);
        // Counted, not compared as lists: Qt compares empty lists of
        // pointers with a null memcmp, which the sanitizer reports.
        EXPECT_EQ(moved.count(body), drag[4] == u"moves" ? 1 : 0);
        EXPECT_EQ(moved.size(), moved.count(body));
    }
}

// The tool bar's handle (a few pixels in from its left end) moves the bar;
// the rest of it is the window's.
TEST_F(WindowDraggerTest, AMovableToolBarKeepsItsHandle) {
    dragger.SetEnabled(true);
    const QPoint away(QApplication::startDragDistance() + 1, 0);
    const int middle = bar->height() / 2;
    MouseDrag(*bar, {8, middle}, away);
    EXPECT_TRUE(moved.isEmpty());
    MouseDrag(*bar, {bar->width() - 5, middle}, away);
    EXPECT_EQ(moved, QList<QWidget*>{bar});
    bar->setMovable(false);
    MouseDrag(*bar, {8, middle}, away);
    EXPECT_EQ(moved.size(), 2);
}
