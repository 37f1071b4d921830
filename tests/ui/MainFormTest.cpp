#include "ui/MainForm.h"

#include "core/ProgramCore.h"
#include "model/ProviderCollection.h"
#include "platform/BackgroundNotice.h"
#include "platform/SettingsStore.h"
#include "retrieval/RefreshScheduler.h"
#include "support/EnvironmentVariable.h"
#include "support/EventWait.h"
#include "support/MouseDrag.h"
#include "support/OpenedPages.h"
#include "support/ProgramHome.h"
#include "support/RawHttpClient.h"
#include "support/RecordingMessageBox.h"
#include "support/SkinFolders.h"
#include "support/TestHttpServer.h"
#include "ui/AddFeedDialog.h"
#include "ui/ArticleAddressLabel.h"
#include "ui/ArticleGrid.h"
#include "ui/BrowserPane.h"
#include "ui/CaptionBar.h"
#include "ui/CommandBar.h"
#include "ui/ContextMenu.h"
#include "ui/DetachedBrowser.h"
#include "ui/FeedTree.h"
#include "ui/MainLayout.h"
#include "ui/SelectCategory.h"
#include "ui/SettingsDialog.h"
#include "ui/SettingsForm.h"
#include "ui/SkinFrame.h"
#include "ui/Startup.h"
#include "ui/WindowDragger.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QStatusBar>
#include <QTcpServer>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

namespace {

// The window over a program in a temporary home, clicked through as a user
// does.
class MainFormTest : public ProgramHome {
protected:
    MainForm& Open() {
        form.reset();
        NewProgram();
        form = std::make_unique<MainForm>(*core);
        form->Load();
        return *form;
    }

    void TwoUnreachableProviders() {
        WriteStore("[Preferences]\nInvocations=3\n");
        WriteProviders("<providers>" + ProviderElement(1, "A", QUrl("http://127.0.0.1:9/a")) +
                       ProviderElement(2, "B", QUrl("http://127.0.0.1:9/b")) + "</providers>");
    }

    // Provider A, with the `more` elements, reading `rss` from the test
    // server; the window open on it once its story is in the grid.
    MainForm& OpenOnFeed(const QByteArray& rss, const QByteArray& preferences = {},
                         const QByteArray& more = {}) {
        server.Serve("/a", rss);
        QByteArray provider = ProviderElement(1, "A", server.Url("/a"));
        provider.replace("</provider>", more + "</provider>");
        WriteProviders("<providers>" + provider + "</providers>");
        WriteStore("[Preferences]\nInvocations=3\n" + preferences);
        MainForm& window = Open();
        EXPECT_TRUE(WaitUntil([&] { return window.Layout().Grid().RowCount() == 1; }));
        return window;
    }

    QTreeWidgetItem* Node(const QString& text) const {
        return form->Layout()
            .Tree()
            .findItems(text, Qt::MatchExactly | Qt::MatchRecursive)
            .value(0);
    }

    QPoint NodeCentre(const QString& text) const {
        return form->Layout().Tree().visualItemRect(Node(text)).center();
    }

    void ClickNode(const QString& text) const {
        QTest::mouseClick(form->Layout().Tree().viewport(), Qt::LeftButton, {}, NodeCentre(text));
    }

    QAction* Item(const char* name) const {
        return form->findChild<QAction*>(QString::fromLatin1(name));
    }

    static void ChooseFirstCategory(SelectCategory& chooser) {
        auto* categories = chooser.findChild<QTreeWidget*>(QStringLiteral("tvCategories"));
        categories->setCurrentItem(categories->topLevelItem(0));
        chooser.findChild<QPushButton*>(QStringLiteral("cmdSelect"))->click();
    }

    // Answers the modal box or chooser that the next step opens: from a
    // timer, since the step waits in the box's own event loop.
    void AnswerNextModal(std::function<void(QWidget*)> answer) {
        auto* watch = new QTimer(form.get());
        QObject::connect(watch, &QTimer::timeout, [watch, answer] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                watch->deleteLater();
                watch->stop();
                answer(modal);
            }
        });
        watch->start(10);
    }

    TestHttpServer server;
    std::unique_ptr<MainForm> form;
};

} // namespace

TEST_F(MainFormTest, OnlyTheFirstRunAsksForCategoriesAndTheTimersWaitForTheChoice) {
    MainForm& first = Open();
    EXPECT_TRUE(first.isVisible());
    EXPECT_EQ(first.windowTitle(), QStringLiteral("Varnocet - Alpha"));
    ASSERT_EQ(first.findChildren<Startup*>().size(), 1);
    EXPECT_FALSE(core->Scheduler().Running());
    first.findChild<Startup*>()->accept();
    EXPECT_TRUE(core->Scheduler().Running());
    first.close();
    EXPECT_FALSE(first.isVisible());
    MainForm& second = Open();
    EXPECT_TRUE(second.findChildren<Startup*>().isEmpty());
    EXPECT_TRUE(core->Scheduler().Running());
}

TEST_F(MainFormTest, ClosedFromTheTrayBeforeTheFirstChoiceNothingStarts) {
    MainForm& window = Open();
    window.close();
    window.findChild<Startup*>()->reject();
    EXPECT_FALSE(core->Scheduler().Running());
}

// A signal to end the program can arrive while start-up draws its splash
// window, before the list is read: nothing may be written over it.
TEST_F(MainFormTest, EndedWhileStartingTheWindowNeverShowsAndTheListIsKept) {
    TwoUnreachableProviders();
    NewProgram();
    form = std::make_unique<MainForm>(*core);
    QTimer::singleShot(0, form.get(), [this] { form->ShutdownMainWindow(); });
    form->Load();
    EXPECT_TRUE(core->IsShutDown());
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(core->Scheduler().Running());
    const QByteArray list = Read(ProvidersFile());
    EXPECT_TRUE(list.contains("<providername>A</providername>")) << list.constData();
    EXPECT_TRUE(list.contains("<providername>B</providername>"));
}

// The provider keys work while the grid has the focus too. After a flip the
// highlighted node is the provider on show, so clicking a node always shows
// it, and the menu acts on the node clicked.
TEST_F(MainFormTest, TheTreeFollowsTheProviderOnShowAndItsMenuActsOnTheNodeClicked) {
    TwoUnreachableProviders();
    MainForm& window = Open();
    QWidget* gridView = window.Layout().Grid().findChild<QAbstractItemView*>();
    ClickNode("A");
    QTest::keyClick(gridView, Qt::Key_Period);
    ASSERT_TRUE(WaitUntil([&] { return core->CurrentProviderIndex() == 2; }));
    EXPECT_EQ(window.Layout().Tree().SelectedProviderID(), 2);
    ClickNode("A");
    EXPECT_EQ(core->CurrentProviderIndex(), 1);
    QTest::keyClick(gridView, Qt::Key_Period);
    ASSERT_TRUE(WaitUntil([&] { return core->CurrentProviderIndex() == 2; }));
    QTest::keyClick(gridView, Qt::Key_Less, Qt::ShiftModifier);
    ASSERT_TRUE(WaitUntil([&] { return core->CurrentProviderIndex() == 1; }));
    EXPECT_EQ(window.Layout().Tree().SelectedProviderID(), 1);
    window.Commands().FindBox().clearFocus();
    QTest::keyClick(&window.Layout().Tree(), Qt::Key_Period);
    ASSERT_TRUE(WaitUntil([&] { return core->CurrentProviderIndex() == 2; }));
    emit window.Layout().Tree().customContextMenuRequested(NodeCentre("A"));
    window.Menu().hide();
    Item("mnuContextMakeProviderInactive")->trigger();
    EXPECT_FALSE(core->Providers().Item(1)->Active);
    EXPECT_TRUE(core->Providers().Item(2)->Active);
}

// Showing a page again would lose where the reader scrolled to. The menu
// copies the article as text and link, its address whole.
TEST_F(MainFormTest, ChangingAViewLeavesTheArticleOnShowAloneAndCopyTakesItsAddress) {
    server.Serve("/story?a=1&b=2", "<html><body>Story</body></html>", "text/html");
    const QUrl story = server.Url(QStringLiteral("/story?a=1&b=2"));
    MainForm& window =
        OpenOnFeed("<rss version=\"2.0\"><channel><item><title>One</title><link>" +
                   story.toString().toHtmlEscaped().toUtf8() + "</link></item></channel></rss>");
    const auto* state = window.findChild<QLabel*>(QStringLiteral("labBrowser"));
    ASSERT_TRUE(WaitUntil([&] { return state->text() == "Article: Done"; }));
    Item("mnuContextOnTop")->trigger();
    Item("mnuContextViewProviderImage")->trigger();
    EXPECT_EQ(window.Layout().Browser().Url(), story);
    // A window made topmost is shown anew, and the web view may announce the
    // page on show once more; it stays on that page.
    EXPECT_TRUE(WaitUntil([&] { return state->text() == "Article: Done"; }));
    EXPECT_EQ(window.Layout().Browser().Url(), story);

    Item("mnuContextCopyArticleURL")->trigger();
    const QMimeData* copied = QApplication::clipboard()->mimeData();
    EXPECT_EQ(copied->text(), story.toString());
    EXPECT_TRUE(copied->hasHtml());
    EXPECT_EQ(copied->urls().value(0), story);
}

// News of a version asks whether to visit the home page and Yes opens it in
// the browser; with no home page there is nothing to ask, only the news.
TEST_F(MainFormTest, NewsOfANewVersionOffersTheHomePageWhenThereIsOne) {
    WriteStore("[Preferences]\nInvocations=3\n");
    MainForm& window = Open();
    const QString news = QStringLiteral("Version 99.0.0 is now available.");
    const auto prompt = [&]() -> QMessageBox* {
        emit core->PhoneHomeDue(news);
        for (QMessageBox* box : window.findChildren<QMessageBox*>())
            if (box->isVisible())
                return box;
        return nullptr;
    };
    OpenedPages browser;
    {
        const EnvironmentVariable home("VARNOCET_HOME_PAGE", "http://127.0.0.1:9/home");
        QMessageBox* box = prompt();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->text(), news + "\n\nVisit home page now?");
        EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
        box->button(QMessageBox::Yes)->click();
        EXPECT_EQ(browser.Pages, QList<QUrl>{QUrl("http://127.0.0.1:9/home")});
    }
    const EnvironmentVariable home("VARNOCET_HOME_PAGE", "");
    QMessageBox* box = prompt();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), news);
    EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
}

// A dropped address is subscribed to: below every category it asks for one.
// How a page's feed is found, and what is refused, is the subscriber's; the
// window says what came of it.
TEST_F(MainFormTest, AnAddressDroppedBelowEveryCategoryAsksForOne) {
    TwoUnreachableProviders();
    server.Serve("/chosen.xml",
                 "<rss version=\"2.0\"><channel><title>Chosen</title></channel></rss>");
    MainForm& window = Open();
    bool asked = false;
    AnswerNextModal([&asked](QWidget* modal) {
        asked = true;
        auto* chooser = qobject_cast<SelectCategory*>(modal);
        ASSERT_NE(chooser, nullptr);
        ChooseFirstCategory(*chooser);
    });
    emit window.Layout().Tree().ProviderURLDropped(server.Url("/chosen.xml").toString(), QString());
    ASSERT_TRUE(WaitUntil([&] { return core->Providers().Count() == 3; }));
    EXPECT_TRUE(asked);
    const QString chosen = server.Url("/chosen.xml").toString();
    EXPECT_EQ(core->Providers().Item(3)->Category, "News");
    EXPECT_EQ(core->Providers().Item(3)->DataURL, chosen);
    EXPECT_EQ(window.statusBar()->currentMessage(), "Subscribed to Chosen (" + chosen + ").");
    EXPECT_TRUE(WaitUntil([&] { return Node(chosen) != nullptr || Node("Chosen") != nullptr; }));

    // What the subscriber could not find is said in the status bar.
    server.Serve("/plain", "<!DOCTYPE html><html></html>", "text/html");
    const QString plain = server.Url("/plain").toString();
    emit window.Layout().Tree().ProviderURLDropped(plain, QStringLiteral("News"));
    ASSERT_TRUE(WaitUntil([&] { return window.statusBar()->currentMessage().contains(plain); }));
    EXPECT_EQ(window.statusBar()->currentMessage(), "No feed was found at " + plain + ".");
    EXPECT_EQ(core->Providers().Count(), 3);
}

// How a window comes back in the state it was put away from is the
// restorer's; the menu item brings it back.
TEST_F(MainFormTest, AboutLeavesAWindowKeptOnTopShownAndTheMenuRestoresIt) {
    WriteStore("[Preferences]\nInvocations=3\nOnTop=True\n");
    MainForm& window = Open();
    ASSERT_TRUE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    window.showMinimized();
    Item("mnuContextVarnocet")->trigger();
    EXPECT_FALSE(window.isMinimized());
    AnswerNextModal([](QWidget* modal) { qobject_cast<QDialog*>(modal)->accept(); });
    Item("ABOUT")->trigger();
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

// The skin chosen is worn from the start, by the settings dialog (opened on
// its first tab) too; F12
// reads the skin directory again and says what could not be read.
TEST_F(MainFormTest, TheWindowAndItsDialogsWearTheSkinAndF12ReadsItAgain) {
    const QString skins = folder.filePath(QStringLiteral("skins"));
    TestData::CopyFiles(TestData::Bundled(QStringLiteral("skins/Birch")),
                        skins + QStringLiteral("/Birch"));
    WriteStore("[Preferences]\nInvocations=3\nCurrentSkin=Birch\nSkinDirectory=" + skins.toUtf8() +
               "\n");
    MainForm& window = Open();
    ASSERT_TRUE(window.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(window.findChild<CaptionBar*>()->Title(), window.windowTitle());
    auto* settings = window.findChild<SettingsDialog*>();
    Item("SETTINGS")->trigger();
    EXPECT_EQ(settings->Form()->HelpTopic(), "SettingsGeneral") << "on its first tab";
    ASSERT_NE(SkinFrame::LookOf(window), nullptr);
    EXPECT_EQ(SkinFrame::LookOf(*settings->Form()), SkinFrame::LookOf(window));
    settings->Form()->reject();

    SkinFolders::Write(skins, QStringLiteral("Bad"), "<NeoCaptionSkin>");
    const auto worn = SkinFrame::LookOf(window);
    Item("RESKIN")->trigger();
    EXPECT_NE(SkinFrame::LookOf(window), worn);
    EXPECT_NE(window.findChild<QMessageBox*>(), nullptr);
}

// Properties opens the settings dialog on the clicked provider in the
// Providers tab; Add Feed takes an address into the clicked
// provider's category and shows the new provider.
TEST_F(MainFormTest, PropertiesAndAddFeedOpenTheirDialogs) {
    TwoUnreachableProviders();
    MainForm& window = Open();
    auto* settings = window.findChild<SettingsDialog*>();
    ASSERT_NE(settings, nullptr);
    emit window.Layout().Tree().customContextMenuRequested(NodeCentre("B"));
    window.Menu().hide();
    Item("mnuContextProperties")->trigger();
    ASSERT_NE(settings->Form(), nullptr);
    EXPECT_EQ(settings->Form()->HelpTopic(), "SettingsProviders");
    const auto* list = settings->Form()->findChild<QListWidget*>("lstProviders");
    ASSERT_EQ(list->selectedItems().size(), 1);
    EXPECT_EQ(list->selectedItems().first()->text(), "B");
    settings->Form()->reject();

    emit window.Layout().Tree().customContextMenuRequested(NodeCentre("B"));
    window.Menu().hide();
    Item("mnuContextAddFeed")->trigger();
    auto* add = window.findChild<AddFeedDialog*>();
    ASSERT_NE(add, nullptr);
    server.Serve("/c", "<rss version=\"2.0\"><channel><title>C</title></channel></rss>");
    const QString feed = server.Url("/c").toString();
    add->findChild<QLineEdit*>("txtAddress")->setText(feed);
    add->findChild<QPushButton*>("cmdOK")->click();
    ASSERT_TRUE(WaitUntil([&] { return core->Providers().Count() == 3; }));
    ASSERT_NE(core->CurrentProvider(), nullptr);
    EXPECT_EQ(core->CurrentProvider()->DataURL, feed);
    EXPECT_EQ(core->CurrentProvider()->Category, "News");
}

// The user closed it: the next load of the provider on show only tells it
// where to go.
TEST_F(MainFormTest, AClosedDetachedBrowserStaysClosedThroughLoads) {
    MainForm& window = OpenOnFeed(Rss({"One"}), "ShowBrowser=True\n");
    auto* browser = window.findChild<DetachedBrowser*>();
    ASSERT_NE(browser, nullptr);
    ASSERT_TRUE(browser->isVisible());
    browser->close();
    core->ReloadCurrentProvider();
    ASSERT_TRUE(WaitUntil([&] { return core->CurrentProvider()->PendingOperations == 0; }));
    QCoreApplication::processEvents();
    EXPECT_FALSE(browser->isVisible());
}

// The article's address, the provider's colour and moving the window by its
// body, each as the General tab's check box says.
TEST_F(MainFormTest, DisplayPreferencesFollowTheirCheckBoxes) {
    // Navy.
    MainForm& window =
        OpenOnFeed(Rss({"One"}), "UsePerProviderColor=True\n", "<backcolor>8388608</backcolor>");
    const auto* address = window.findChild<ArticleAddressLabel*>();
    ASSERT_NE(address, nullptr);
    const QWidget* gridView = window.Layout().Grid().findChild<QAbstractItemView*>();
    int moves = 0;
    window.Dragger().SetMover([&moves](QWidget&) { ++moves; });
    const auto dragBodies = [&] {
        for (QWidget* body : std::initializer_list<QWidget*>{
                 &window.Layout().Grid().Heading(), &window.Layout().SiteImage(),
                 &window.Commands(), window.statusBar()})
            MouseDrag(*body, {body->width() - 5, 5}, {QApplication::startDragDistance() + 1, 0});
    };

    EXPECT_TRUE(address->isVisible());
    EXPECT_EQ(address->Address(), "http://news.example/One");
    EXPECT_EQ(gridView->palette().color(QPalette::Base), QColor(0, 0, 128));
    EXPECT_EQ(Node("A")->background(0).color(), QColor(0, 0, 128));
    dragBodies();
    EXPECT_EQ(moves, 4);
    // A notice shows in the status bar, which it has to itself while it
    // shows, and on standard error, without a box.
    BackgroundNotice::Forget();
    ::testing::internal::CaptureStderr();
    BackgroundNotice::Report(QStringLiteral("Unknown XMLNS version (0.93) for RSS."));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "message: Unknown XMLNS version (0.93) for RSS.\n");
    EXPECT_EQ(window.statusBar()->currentMessage(), "Unknown XMLNS version (0.93) for RSS.");
    EXPECT_TRUE(RecordingMessageBox::Instance().Texts.isEmpty());
    EXPECT_FALSE(address->isVisible());
    window.statusBar()->clearMessage();
    EXPECT_TRUE(address->isVisible());

    Settings& settings = core->ProgramSettings();
    settings.ShowArticleURL = false;
    settings.UsePerProviderColor = false;
    settings.EasyMove = false;
    core->ApplyPreferences();
    EXPECT_FALSE(address->isVisible());
    const QPalette desktop = QApplication::palette(gridView);
    EXPECT_EQ(gridView->palette().color(QPalette::Base), desktop.color(QPalette::Base));
    EXPECT_EQ(Node("A")->data(0, Qt::BackgroundRole), QVariant());
    dragBodies();
    EXPECT_EQ(moves, 4);
}

// What the listener answers is the core's; the window gives it the category
// chooser, kept on top, and closes it on shutdown.
TEST_F(MainFormTest, AWebPageAddsAProviderInTheCategoryTheUserChooses) {
    TwoUnreachableProviders();
    TestHttpServer feeds;
    feeds.Serve("/chosen", Rss({"Story"}));
    const QByteArray chosenURL = feeds.Url("/chosen").toEncoded();
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost));
    const quint16 port = probe.serverPort();
    probe.close();
    const EnvironmentVariable listenerPort("VARNOCET_LISTENER_PORT", QByteArray::number(port));
    Open();
    RawHttpClient chosen(port);
    chosen.Send("GET /add_provider?url=" + chosenURL + " HTTP/1.1\r\n\r\n");
    SelectCategory* chooser = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        for (SelectCategory* open : form->findChildren<SelectCategory*>())
            if (open->isVisible())
                chooser = open;
        return chooser != nullptr;
    }));
    EXPECT_TRUE(chooser->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    ChooseFirstCategory(*chooser);
    EXPECT_TRUE(chosen.Answer().contains("to Varnocet category <B>News</B>."))
        << chosen.Read().data();

    // Shutdown closes the listener and stores where the window was, far to
    // the right too (twips past sixteen bits).
    form->move(2500, 10);
    form->ShutdownMainWindow();
    RawHttpClient afterShutdown(port);
    EXPECT_EQ(afterShutdown.Answer(), "");
    EXPECT_EQ(core->ProgramSettings().FormLeft, 37500);
}
