#include "ui/WindowRestore.h"

#include <QWidget>

#include <gtest/gtest.h>

namespace {

// However the window was put away (minimised, or hidden into the
// notification area), it comes back shown, not minimised, and maximised
// exactly when it was before.
TEST(WindowRestoreTest, TheWindowComesBackInTheStateItWasPutAwayFrom) {
    const struct {
        const char* name;
        bool maximized;
        bool hidden;
    } cases[] = {
        {"normal, minimised", false, false},
        {"maximised, minimised", true, false},
        {"normal, minimised and hidden", false, true},
        {"maximised, minimised and hidden", true, true},
    };
    for (const auto& c : cases) {
        QWidget window;
        window.resize(300, 200);
        if (c.maximized)
            window.showMaximized();
        else
            window.show();
        window.showMinimized();
        if (c.hidden)
            window.hide();
        ASSERT_TRUE(window.isMinimized()) << c.name;

        WindowRestore::Restore(window);
        EXPECT_TRUE(window.isVisible()) << c.name;
        EXPECT_FALSE(window.isMinimized()) << c.name;
        EXPECT_EQ(window.isMaximized(), c.maximized) << c.name;
    }
}

} // namespace
