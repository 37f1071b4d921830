#include "ui/WindowRestore.h"

#include "support/TestData.h"

#include <QWidget>

#include <gtest/gtest.h>

namespace {

// However the window was put away (minimised, or hidden into the
// notification area), it comes back shown, not minimised, and maximised
// exactly when it was before.
TEST(WindowRestoreTest, TheWindowComesBackInTheStateItWasPutAwayFrom) {
    for (const QStringList& c : TestData::Table(QStringLiteral("tables/window-restores.tsv"))) {
        SCOPED_TRACE(c.join(u' ').toStdString());
        const bool maximized = c[0] == u"maximised";
        QWidget window;
        window.resize(300, 200);
        maximized ? window.showMaximized() : window.show();
        window.showMinimized();
        window.setHidden(c[1] == u"hidden");
        ASSERT_TRUE(window.isMinimized());

        WindowRestore::Restore(window);
        EXPECT_TRUE(window.isVisible());
        EXPECT_FALSE(window.isMinimized());
        EXPECT_EQ(window.isMaximized(), maximized);
    }
}

} // namespace
