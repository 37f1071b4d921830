#include "ui/WindowDragger.h"

#include "support/MouseDrag.h"

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
    const struct {
        bool enabled;
        Qt::MouseButton button;
        QPoint by;
        bool moves;
    } cases[] = {{true, Qt::LeftButton, {far, 0}, true},
                 {true, Qt::LeftButton, {0, -far}, true},
                 {true, Qt::LeftButton, {1, 1}, false},
                 {true, Qt::RightButton, {far, 0}, false},
                 {false, Qt::LeftButton, {far, 0}, false}};
    for (const auto& drag : cases) {
        moved.clear();
        dragger.SetEnabled(drag.enabled);
        MouseDrag(*body, {50, 50}, drag.by, drag.button);
        // Counted, not compared as lists: Qt compares empty lists of
        // pointers with a null memcmp, which the sanitizer reports.
        EXPECT_EQ(moved.count(body), drag.moves ? 1 : 0)
            << drag.enabled << ' ' << drag.button << ' ' << drag.by.x() << ',' << drag.by.y();
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
