#include "ui/MainForm.h"
#include "config/ProgramVersion.h"
#include "model/ProviderCollection.h"
#include "platform/BackgroundNotice.h"
#include "platform/SettingsStore.h"
#include "retrieval/FeedFetcher.h"
#include "retrieval/RefreshScheduler.h"
#include "support/EventWait.h"
#include "support/RecordingMessageBox.h"
#include "support/TestHttpServer.h"
#include "ui/ArticleGrid.h"
#include "ui/CommandBar.h"
#include "ui/ContextMenu.h"
#include "ui/FeedTree.h"
#include "ui/MainLayout.h"
#include "ui/SelectCategory.h"
#include "ui/Startup.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

class MainFormTest : public ::testing::Test {
protected:
    void WriteStore(const QByteArray& ini) {
        QFile file(folder.filePath(QStringLiteral("Varnocet.conf")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(ini);
    }

    QString ProvidersFile() const {
        return folder.filePath(QStringLiteral("data/qtk_providers.xml"));
    }

    void WriteProviders(const QByteArray& xml) {
        QDir().mkpath(folder.filePath(QStringLiteral("data")));
        QFile file(ProvidersFile());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(xml);
    }

    static QByteArray Read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QByteArray StoreContents() const {
        QFile file(folder.filePath(QStringLiteral("Varnocet.conf")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // The master list: nothing listens at the server's address, so it comes
    // from a shipped copy of two providers whose feeds are not reachable
    // either: a test never fetches from the internet.
    MasterProviderSet::Locations MasterList() {
        const QString bundle = folder.filePath(QStringLiteral("bundle"));
        const QDir standard(bundle + QStringLiteral("/Standard"));
        if (!standard.exists()) {
            QDir().mkpath(standard.path());
            WriteFile(standard.filePath(QStringLiteral("root.xml")),
                      "<providerset name=\"Standard\" count=\"1\"><czb n=\"1\" v=\"1\"/>"
                      "</providerset>");
            WriteFile(standard.filePath(QStringLiteral("bps_1.xml")),
                      "<providers v=\"1\">" + MasterProvider(1, "Alpha") +
                          MasterProvider(2, "Beta") + "</providers>");
            WriteFile(standard.filePath(QStringLiteral("dps_1.xml")), "<providers v=\"1\"/>");
        }
        return {QStringLiteral("http://127.0.0.1:9/"), folder.filePath(QStringLiteral("cache")),
                bundle};
    }

    static QByteArray MasterProvider(int id, const QByteArray& name) {
        return "<provider><providername>" + name + "</providername><dataurl>http://127.0.0.1:9/" +
               name + "</dataurl><category>World</category><uniqueid>" + QByteArray::number(id) +
               "</uniqueid></provider>";
    }

    static void WriteFile(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    // Providers A and B, each with the RSS items titled `a` and `b`, served
    // from `server`.
    void ServeTwoProviders(TestHttpServer& server, const QStringList& a, const QStringList& b) {
        server.Serve("/a", Rss(a));
        server.Serve("/b", Rss(b));
        WriteProviders("<providers>" + ProviderElement(1, "A", server.Url("/a")) +
                       ProviderElement(2, "B", server.Url("/b")) + "</providers>");
    }

    static QByteArray Rss(const QStringList& titles) {
        QByteArray xml = "<rss version=\"2.0\"><channel>";
        for (const QString& title : titles)
            xml += "<item><title>" + title.toUtf8() + "</title></item>";
        return xml + "</channel></rss>";
    }

    static QByteArray ProviderElement(int id, const QString& name, const QUrl& url) {
        return "<provider><providername>" + name.toUtf8() + "</providername><dataurl>" +
               url.toString().toUtf8() + "</dataurl><category>News</category><uniqueid>" +
               QByteArray::number(id) + "</uniqueid></provider>";
    }

    QTemporaryDir folder;
};

} // namespace

TEST_F(MainFormTest, FirstStartCountsOneInvocationAndShowsTheWindow) {
    SettingsStore store(folder.path());
    MainForm form(store, ProvidersFile(), MasterList());
    form.Load();
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Varnocet - Alpha"));
    EXPECT_EQ(form.ProgramSettings().Invocations, 1);
    EXPECT_EQ(form.ProgramSettings().PrefsVersion, QString());
    EXPECT_TRUE(RecordingMessageBox::Instance().Texts.isEmpty());
}

TEST_F(MainFormTest, CategoryTreeStartsHiddenWhateverWasStored) {
    WriteStore("[Preferences]\nShowCategories=True\nInvocations=4\n");
    SettingsStore store(folder.path());
    MainForm form(store, ProvidersFile(), MasterList());
    form.Load();
    EXPECT_FALSE(form.ProgramSettings().ShowCategories);
    EXPECT_EQ(form.ProgramSettings().Invocations, 5);
}

TEST_F(MainFormTest, ClosingWritesThePreferencesBack) {
    {
        SettingsStore store(folder.path());
        MainForm form(store, ProvidersFile(), MasterList());
        form.Load();
        form.move(300, 200);
        form.close();
        EXPECT_FALSE(form.isVisible());
    }
    const QByteArray ini = StoreContents();
    EXPECT_TRUE(ini.contains("Invocations=1\n"));
    EXPECT_TRUE(ini.contains("PrefsVersion=" + ProgramVersionString().toUtf8() + "\n"));
    EXPECT_TRUE(ini.contains("FormLeft=4500\n"));
    EXPECT_TRUE(ini.contains("FormTop=3000\n"));
}

TEST_F(MainFormTest, WindowFarToTheRightIsStoredInThirtyTwoBits) {
    SettingsStore store(folder.path());
    MainForm form(store, ProvidersFile(), MasterList());
    form.Load();
    form.move(2500, 10);
    form.ShutdownMainWindow();
    EXPECT_EQ(form.ProgramSettings().FormLeft, 37500);
    EXPECT_TRUE(StoreContents().contains("FormLeft=37500\n"));
}

TEST_F(MainFormTest, FailedSettingsWriteIsReportedAndShutdownCompletes) {
    QFile blocker(folder.filePath(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    SettingsStore store(folder.filePath(QStringLiteral("blocker/config")));
    MainForm form(store, ProvidersFile(), MasterList());
    form.Load(); // the first run already writes, and already fails
    RecordingMessageBox::Instance().Texts.clear();
    EXPECT_FALSE(form.WriteSettingsAndProviders(true, true));
    EXPECT_EQ(RecordingMessageBox::Instance().Texts,
              QStringList{QStringLiteral("Error in WriteSettingsAndProviders!")});
    form.close();
    EXPECT_FALSE(form.isVisible());
}

TEST_F(MainFormTest, ShutdownRunsOnce) {
    SettingsStore store(folder.path());
    MainForm form(store, ProvidersFile(), MasterList());
    form.Load();
    form.ShutdownMainWindow();
    QFile::remove(folder.filePath(QStringLiteral("Varnocet.conf")));
    form.close();
    EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("Varnocet.conf"))));
}

TEST_F(MainFormTest, FirstRunSeedsTheListFromTheMasterListIntoANewFolder) {
    SettingsStore store(folder.path());
    MainForm form(store, ProvidersFile(), MasterList());
    form.Load();
    EXPECT_TRUE(QFile::exists(ProvidersFile()));
    EXPECT_EQ(form.Providers().Count(), 2);
    EXPECT_FALSE(form.ProgramSettings().CurrentCategory.isEmpty());
    form.close();
    EXPECT_TRUE(Read(ProvidersFile()).contains("<provider>"));
}

TEST_F(MainFormTest, StartupSortsTheListAndPicksACurrentCategory) {
    WriteProviders(
        "<providers v=\"1\">"
        "<category><categoryname>Zeta</categoryname></category>"
        "<category><categoryname>Alpha</categoryname><active>False</active></category>"
        "<category><categoryname>Alpha/Beta</categoryname></category>"
        "<provider><providername>z</providername><category>Zeta</category></provider>"
        "<provider><providername>b</providername><category>Alpha/Beta</category></provider>"
        "</providers>");
    SettingsStore store(folder.path());
    MainForm form(store, ProvidersFile(), MasterList());
    form.Load();
    const ProviderCollection& providers = form.Providers();
    EXPECT_EQ(providers.Categories().Item(1)->CategoryName, QStringLiteral("Alpha"));
    EXPECT_FALSE(providers.Categories().Item(2)->Visible);
    EXPECT_EQ(providers.Item(1)->ProviderName, QStringLiteral("b"));
    EXPECT_TRUE(providers.Item(1)->FirstInCategory);
    EXPECT_EQ(form.ProgramSettings().CurrentCategory, QStringLiteral("Alpha"));
    EXPECT_TRUE(StoreContents().contains("CurrentCategory=Alpha\n"));
}

TEST_F(MainFormTest, UnreadableProviderListIsCopiedAsideBeforeAnythingIsWritten) {
    const QByteArray truncated = "<providers v=\"2\">\r\n  <provider>\r\n    <providername>Mine";
    WriteProviders(truncated);
    SettingsStore store(folder.path());
    MainForm form(store, ProvidersFile(), MasterList());
    form.Load();
    const QStringList copies = QDir(folder.filePath(QStringLiteral("data")))
                                   .entryList({QStringLiteral("qtk_providers.xml.bad-*")});
    ASSERT_EQ(copies.size(), 1);
    EXPECT_EQ(Read(folder.filePath(QStringLiteral("data/")) + copies.first()), truncated);
    ASSERT_EQ(RecordingMessageBox::Instance().Texts.size(), 1);
    EXPECT_TRUE(RecordingMessageBox::Instance().Texts.first().contains(copies.first()));
}

TEST_F(MainFormTest, ProvidersAreSavedEvenWhenTheSettingsCannotBe) {
    WriteProviders("<providers><provider><providername>Kept</providername>"
                   "<attemptedupdates>3</attemptedupdates></provider></providers>");
    QFile blocker(folder.filePath(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    SettingsStore store(folder.filePath(QStringLiteral("blocker/config")));
    MainForm form(store, ProvidersFile(), MasterList());
    form.Load();
    form.Providers().Item(1)->AttemptedUpdates = 4;
    form.close();
    EXPECT_TRUE(Read(ProvidersFile()).contains("<attemptedupdates>4</attemptedupdates>"));
    EXPECT_TRUE(RecordingMessageBox::Instance().Texts.contains(
        QStringLiteral("Error in WriteSettingsAndProviders!")));
}

TEST_F(MainFormTest, TheCurrentProvidersStoriesArriveInTheGridAndOthersLeaveItAlone) {
    TestHttpServer server;
    ServeTwoProviders(server, {"One", "Two"}, {"Other"});
    SettingsStore store(folder.path());
    MainForm form(store, ProvidersFile(), MasterList());
    form.Load();
    EXPECT_EQ(form.CurrentProviderIndex(), 1);
    const ArticleGrid& grid = form.Layout().Grid();
    ASSERT_TRUE(WaitUntil([&] { return grid.RowCount() == 2; }));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Varnocet - A"));
    form.Fetcher().GrabStories(*form.Providers().Item(2));
    ASSERT_TRUE(WaitUntil([&] { return form.Providers().Item(2)->PendingOperations == 0; }));
    QCoreApplication::processEvents();
    EXPECT_EQ(grid.RowCount(), 2);
    EXPECT_EQ(form.Providers().Item(2)->stCollStories->Count(), 1);
}

TEST_F(MainFormTest, ClosingWithFetchesOutstandingWritesTheStatisticsAsTheyStand) {
    TestHttpServer server;
    TestHttpServer::Response silent;
    silent.NeverAnswer = true;
    server.Serve("/silent", silent);
    WriteProviders("<providers>" + ProviderElement(1, "Quiet", server.Url("/silent")) +
                   "</providers>");
    SettingsStore store(folder.path());
    MainForm form(store, ProvidersFile(), MasterList());
    form.Load();
    ASSERT_EQ(form.Providers().Item(1)->PendingOperations, 1);
    form.close();
    EXPECT_EQ(form.Fetcher().OutstandingRequestCount(), 0);
    EXPECT_TRUE(Read(ProvidersFile()).contains("<attemptedupdates>1</attemptedupdates>"));
}

TEST_F(MainFormTest, NextPastTheLastRowAndPreviousBeforeTheFirstChangeProvider) {
    TestHttpServer server;
    ServeTwoProviders(server, {"One", "Two"}, {"One", "Two"});
    SettingsStore store(folder.path());
    MainForm form(store, ProvidersFile(), MasterList());
    form.Load();
    ArticleGrid& grid = form.Layout().Grid();
    ASSERT_TRUE(WaitUntil([&] { return grid.RowCount() == 2; }));
    grid.SelectRow(2);
    form.Commands().Action("NEXT")->trigger();
    EXPECT_EQ(form.CurrentProviderIndex(), 2);
    ASSERT_TRUE(WaitUntil([&] { return grid.RowCount() == 2; }));
    EXPECT_EQ(grid.SelectedRow(), 1);
    form.Commands().Action("PREVIOUS")->trigger();
    EXPECT_EQ(form.CurrentProviderIndex(), 1);
}

TEST_F(MainFormTest, FindLooksAfterTheSelectedStoryThenInTheOtherProviders) {
    TestHttpServer server;
    ServeTwoProviders(server, {"Storm warning", "Calm"}, {"Sun", "After the storm"});
    SettingsStore store(folder.path());
    MainForm form(store, ProvidersFile(), MasterList());
    form.Load();
    form.Fetcher().GrabStories(*form.Providers().Item(2));
    ArticleGrid& grid = form.Layout().Grid();
    ASSERT_TRUE(WaitUntil([&] {
        return grid.RowCount() == 2 && form.Providers().Item(2)->stCollStories->Count() == 2;
    }));
    QLineEdit& find = form.Commands().FindBox();
    find.setText(QStringLiteral("STORM"));
    emit find.returnPressed();
    EXPECT_EQ(form.CurrentProviderIndex(), 2);
    EXPECT_EQ(grid.SelectedRow(), 2);
}

TEST_F(MainFormTest, ProviderKeysWorkWhileTheGridHasTheFocus) {
    WriteProviders("<providers>" + ProviderElement(1, "A", QUrl("http://127.0.0.1:9/a")) +
                   ProviderElement(2, "B", QUrl("http://127.0.0.1:9/b")) + "</providers>");
    SettingsStore store(folder.path());
    MainForm form(store, ProvidersFile(), MasterList());
    form.Load();
    QWidget* gridView = form.Layout().Grid().findChild<QAbstractItemView*>();
    ASSERT_NE(gridView, nullptr);
    QTest::keyClick(gridView, Qt::Key_Period);
    EXPECT_EQ(form.CurrentProviderIndex(), 2);
    QTest::keyClick(gridView, Qt::Key_Less, Qt::ShiftModifier);
    EXPECT_EQ(form.CurrentProviderIndex(), 1);
    QTest::keyClick(gridView, Qt::Key_Slash);
    EXPECT_TRUE(form.Commands().FindBox().hasFocus() || !form.isActiveWindow());
}

TEST_F(MainFormTest, ContextMenuCopiesTheArticleAndMakesTheProviderInactive) {
    TestHttpServer server;
    // The pane opens the story: it stays on this machine.
    const QString story = server.Url("/one").toString() + QStringLiteral("?a=1&b=2");
    server.Serve("/a", "<rss version=\"2.0\"><channel><item><title>One</title><link>" +
                           story.toHtmlEscaped().toUtf8() + "</link></item></channel></rss>");
    WriteProviders("<providers>" + ProviderElement(1, "A", server.Url("/a")) +
                   ProviderElement(2, "B", QUrl("http://127.0.0.1:9/b")) + "</providers>");
    SettingsStore store(folder.path());
    MainForm form(store, ProvidersFile(), MasterList());
    form.Load();
    ASSERT_TRUE(WaitUntil([&] { return form.Layout().Grid().RowCount() == 1; }));
    form.Menu().findChild<QAction*>("mnuContextCopyArticleURL")->trigger();
    const QMimeData* copied = QApplication::clipboard()->mimeData();
    EXPECT_EQ(copied->text(), story);
    EXPECT_TRUE(copied->hasHtml());
    EXPECT_EQ(copied->urls().value(0), QUrl(story));
    form.Menu().findChild<QAction*>("mnuContextMakeProviderInactive")->trigger();
    EXPECT_FALSE(form.Providers().Item(1)->Active);
    EXPECT_EQ(form.CurrentProviderIndex(), 2);
}

TEST_F(MainFormTest, OnlyTheFirstRunAsksForCategories) {
    const auto categoryWindows = [](const MainForm& form) {
        return form.findChildren<Startup*>().size();
    };
    SettingsStore store(folder.path());
    {
        MainForm first(store, ProvidersFile(), MasterList());
        first.Load();
        ASSERT_EQ(categoryWindows(first), 1);
        // Nothing refreshes in the background until the choice is made.
        EXPECT_FALSE(first.Scheduler().Running());
        first.findChild<Startup*>()->accept();
        EXPECT_TRUE(first.Scheduler().Running());
        first.close();
    }
    {
        // Closed from the tray menu while the choice is still open.
        SettingsStore freshStore(folder.filePath(QStringLiteral("fresh")));
        MainForm closedFirst(freshStore, ProvidersFile(), MasterList());
        closedFirst.Load();
        closedFirst.close();
        closedFirst.findChild<Startup*>()->reject();
        EXPECT_FALSE(closedFirst.Scheduler().Running());
    }
    MainForm second(store, ProvidersFile(), MasterList());
    second.Load();
    EXPECT_EQ(categoryWindows(second), 0);
    EXPECT_TRUE(second.Scheduler().Running());
}

TEST_F(MainFormTest, BackgroundNoticesShowWithoutABox) {
    SettingsStore store(folder.path());
    MainForm form(store, ProvidersFile(), MasterList());
    form.Load();
    BackgroundNotice::Forget();
    ::testing::internal::CaptureStderr();
    BackgroundNotice::Report(QStringLiteral("Unknown XMLNS version (0.93) for RSS."));
    BackgroundNotice::Report(QStringLiteral("Unknown XMLNS version (0.93) for RSS."));
    const std::string printed = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(form.statusBar()->currentMessage(), "Unknown XMLNS version (0.93) for RSS.");
    EXPECT_EQ(printed, "message: Unknown XMLNS version (0.93) for RSS.\n");
    EXPECT_TRUE(RecordingMessageBox::Instance().Texts.isEmpty());
}

TEST_F(MainFormTest, ADroppedAddressBecomesANamedProviderOrFindsTheOneAlreadyThere) {
    TestHttpServer server;
    ServeTwoProviders(server, {"One"}, {"Other"});
    server.Serve("/fresh", "<rss version=\"2.0\"><channel><title>Fresh</title>"
                           "<item><title>New story</title></item></channel></rss>");
    SettingsStore store(folder.path());
    MainForm form(store, ProvidersFile(), MasterList());
    form.Load();
    ProviderCollection& providers = form.Providers();
    FeedTree& tree = form.Layout().Tree();

    emit tree.ProviderURLDropped(server.Url("/fresh").toString(), QStringLiteral("News"));
    ASSERT_TRUE(WaitUntil([&] { return providers.Count() == 3; }));
    const std::shared_ptr<Provider> fresh = providers.Item(3);
    EXPECT_EQ(fresh->Category, "News");
    EXPECT_EQ(fresh->Origin, 6);
    EXPECT_TRUE(fresh->BrandNew);
    EXPECT_EQ(form.CurrentProvider(), fresh);
    // Named by its own feed, in the tree as well.
    ASSERT_TRUE(WaitUntil([&] { return form.Layout().Grid().RowCount() == 1; }));
    EXPECT_EQ(fresh->ProviderName, "Fresh");
    EXPECT_EQ(tree.findItems("Fresh", Qt::MatchExactly | Qt::MatchRecursive).size(), 1);

    // A known address, even one switched off, is the provider already there.
    providers.Item(1)->Active = false;
    emit tree.ProviderURLDropped(server.Url("/a").toString(), QString());
    ASSERT_TRUE(WaitUntil([&] { return form.CurrentProviderIndex() == 1; }));
    EXPECT_TRUE(providers.Item(1)->Active);
    EXPECT_EQ(tree.findItems("A", Qt::MatchExactly | Qt::MatchRecursive).size(), 1);

    // Dropped below every category: the user picks one, or declines.
    // The chooser runs modally from a queued call: it is answered from a timer
    // once it shows.
    QTimer chooserWatch;
    bool select = false;
    QObject::connect(&chooserWatch, &QTimer::timeout, [&] {
        auto* chooser = qobject_cast<SelectCategory*>(QApplication::activeModalWidget());
        if (chooser == nullptr)
            return;
        auto* categories = chooser->findChild<QTreeWidget*>(QStringLiteral("tvCategories"));
        categories->setCurrentItem(categories->topLevelItem(0));
        if (select)
            chooser->findChild<QPushButton*>(QStringLiteral("cmdSelect"))->click();
        else
            chooser->reject();
    });
    chooserWatch.start(10);
    emit tree.ProviderURLDropped(server.Url("/later").toString(), QString());
    QCoreApplication::processEvents();
    EXPECT_EQ(providers.Count(), 3);
    select = true;
    emit tree.ProviderURLDropped(server.Url("/chosen").toString(), QString());
    ASSERT_TRUE(WaitUntil([&] { return providers.Count() == 4; }));
    EXPECT_EQ(providers.Item(4)->DataURL, server.Url("/chosen").toString());
    EXPECT_EQ(providers.Item(4)->Category, "News");
}
