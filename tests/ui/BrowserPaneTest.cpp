#include "ui/BrowserPane.h"
#include "support/EventWait.h"
#include "support/TestHttpServer.h"

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTimer>

#ifdef VARNOCET_HAVE_WEBENGINE
#include <QWebEnginePage>
#include <QWebEngineView>
#endif

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// Tests run as root, where Chromium cannot start its sandbox. It must be
// off before the first web view of the process, whichever test makes it.

class BrowserPaneTest : public ::testing::Test {
protected:
    void SetUp() override {
        server.Serve("/story", "<html><body><p>Story</p></body></html>", "text/html");
    }

    QLabel* Label(const char* name) const {
        return pane.findChild<QLabel*>(QString::fromLatin1(name));
    }
    QString StoryLink() const { return server.Url(QStringLiteral("/story")).toString(); }

    TestHttpServer server;
    BrowserPane pane;
};

} // namespace

// Which links are refused is the link policy's; a refused one leaves the
// pane as it was. A refused pop-up shows the notice, which the timer changes
// once; a blank page hides it.
TEST_F(BrowserPaneTest, ShowsTheTitleWhileLoadingAndDoneOnceLoadedAndRefusesOtherSchemesAndPopups) {
    EXPECT_EQ(Label("labBrowser")->text(), "Article: ");
    ASSERT_TRUE(pane.ShowArticle(StoryLink(), QStringLiteral("Rain in Spain")));
    EXPECT_EQ(pane.Url(), QUrl(StoryLink()));
    EXPECT_EQ(Label("labBrowser")->text(), "Article: Rain in Spain");
    EXPECT_TRUE(WaitUntil([this] { return Label("labBrowser")->text() == "Article: Done"; }));
#ifdef VARNOCET_HAVE_WEBENGINE
    EXPECT_EQ(server.RequestCount("/story"), 1);
#endif
    for (const char* link : {"javascript:alert(1)", ""}) {
        EXPECT_FALSE(pane.ShowArticle(QString::fromUtf8(link), QStringLiteral("Bad"))) << link;
        EXPECT_EQ(pane.Url(), QUrl(StoryLink())) << link;
        EXPECT_EQ(Label("labBrowser")->text(), "Article: Done") << link;
    }

    QLabel* notice = Label("labPopup");
    const QTimer* timer = pane.findChild<QTimer*>(QStringLiteral("tmrPopup"));
    EXPECT_TRUE(pane.AllowPopup(Qt::ControlModifier));
    EXPECT_TRUE(notice->isHidden());

    EXPECT_FALSE(pane.AllowPopup(Qt::ShiftModifier));
    EXPECT_FALSE(notice->isHidden());
    EXPECT_EQ(notice->text(), "Popup windows blocked on this page!");
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 6000);

    pane.PopupTimerTick();
    EXPECT_EQ(notice->text(), "Hold down Ctrl to allow Popups");
    EXPECT_TRUE(timer->isActive());
    pane.PopupTimerTick();
    EXPECT_EQ(notice->text(), "Popup windows blocked on this page!");
    EXPECT_FALSE(timer->isActive());

    pane.ShowBlank();
    EXPECT_EQ(pane.Url(), QUrl(QStringLiteral("about:blank")));
    EXPECT_TRUE(notice->isHidden());
}

#ifdef VARNOCET_HAVE_WEBENGINE
TEST_F(BrowserPaneTest, APageOpensAWindowOnlyWhileCtrlIsHeld) {
    ASSERT_TRUE(pane.ShowArticle(StoryLink(), QStringLiteral("Story")));
    ASSERT_TRUE(WaitUntil([this] { return Label("labBrowser")->text() == "Article: Done"; }));
    QWebEnginePage* page = pane.findChild<QWebEngineView*>()->page();
    // Pop-ups get windows of their own; the engine's passing helper
    // widgets are no web views.
    const auto popups = [] {
        const QWidgetList windows = QApplication::topLevelWidgets();
        return std::count_if(windows.begin(), windows.end(),
                             [](QWidget* w) { return qobject_cast<QWebEngineView*>(w); });
    };

    QTest::keyPress(&pane, Qt::Key_Control, Qt::ControlModifier);
    page->runJavaScript(QStringLiteral("window.open('about:blank')"));
    EXPECT_TRUE(WaitUntil([&] { return popups() == 1; }));
    EXPECT_TRUE(Label("labPopup")->isHidden());
    QTest::keyRelease(&pane, Qt::Key_Control);

    page->runJavaScript(QStringLiteral("window.open('about:blank')"));
    EXPECT_TRUE(WaitUntil([this] { return !Label("labPopup")->isHidden(); }));
    EXPECT_EQ(popups(), 1);
    for (QWidget* window : QApplication::topLevelWidgets())
        if (qobject_cast<QWebEngineView*>(window))
            window->close();
}
#endif

// The detached browser, a window of its own, shows the article through a
// pane under the same rules (tests/data/main-window/detached-browser-closed).
