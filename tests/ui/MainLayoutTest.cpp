#include "ui/MainLayout.h"

#include <QSignalSpy>
#include <QSplitter>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

// Automatic flipping waits while a pane border is being dragged: from the
// press on a splitter's handle to its release, wherever the pointer went.
TEST(MainLayoutTest, DraggingASplitterMakesTheUserBusy) {
    QWidget window;
    MainLayout layout(&window);
    layout.Root()->resize(1000, 700);
    window.resize(1000, 700);
    window.show();
    QSignalSpy busy(&layout, &MainLayout::UserBusy);
    const QList<QSplitter*> splitters = layout.Root()->findChildren<QSplitter*>()
                                        << qobject_cast<QSplitter*>(layout.Root());
    ASSERT_EQ(splitters.size(), 3);
    for (QSplitter* splitter : splitters) {
        QSplitterHandle* handle = splitter->handle(1);
        const QPoint middle = handle->rect().center();
        QTest::mousePress(handle, Qt::LeftButton, {}, middle);
        QTest::mouseMove(handle, middle + QPoint(20, 20));
        QTest::mouseRelease(handle, Qt::LeftButton, {}, middle + QPoint(20, 20));
        // Another button starts no drag.
        QTest::mousePress(handle, Qt::RightButton, {}, middle);
        QTest::mouseRelease(handle, Qt::RightButton, {}, middle);
    }
    QList<bool> states;
    for (const QList<QVariant>& signal : busy)
        states.append(signal.at(0).toBool());
    EXPECT_EQ(states, (QList<bool>{true, false, true, false, true, false}));
}

} // namespace
