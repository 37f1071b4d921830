#include "ui/MainForm.h"

#include "core/ProgramCore.h"
#include "feeds/FeedFormat.h"
#include "model/ProviderCollection.h"
#include "platform/BackgroundNotice.h"
#include "retrieval/RefreshScheduler.h"
#include "support/EnvironmentVariable.h"
#include "support/EventWait.h"
#include "support/GoldenFile.h"
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
#include "ui/SkinBorder.h"
#include "ui/SkinFrame.h"
#include "ui/SkinLook.h"
#include "ui/Startup.h"
#include "ui/TrayIcon.h"
#include "ui/WindowDragger.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QTcpServer>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <optional>

namespace {

// The window over a program in a temporary home, clicked through as a user
// does.
class MainFormTest : public ProgramHome {
protected:
    MainForm& Open() {
        form.reset();
        NewProgram();
        form = std::make_unique<MainForm>(*core);
        form->Dragger().SetMover([this](QWidget&) { ++moves; });
        form->Load();
        return *form;
    }

    void TwoUnreachableProviders() {
        WriteStore("[Preferences]\nInvocations=3\n");
        WriteProviders("<providers>" + ProviderElement(1, "A", QUrl("http://127.0.0.1:9/a")) +
                       ProviderElement(2, "B", QUrl("http://127.0.0.1:9/b")) + "</providers>");
    }

    FeedTree& Tree() const { return form->Layout().Tree(); }

    QTreeWidgetItem* Node(const QString& text) const {
        return Tree().findItems(text, Qt::MatchExactly | Qt::MatchRecursive).value(0);
    }

    QPoint NodeCentre(const QString& text) const {
        return Tree().visualItemRect(Node(text)).center();
    }

    QAction* Item(const QString& name) const { return form->findChild<QAction*>(name); }

    static void ChooseFirstCategory(QWidget* modal) {
        auto* categories = modal->findChild<QTreeWidget*>(QStringLiteral("tvCategories"));
        categories->setCurrentItem(categories->topLevelItem(0));
        modal->findChild<QPushButton*>(QStringLiteral("cmdSelect"))->click();
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
    int moves = 0;
};

// A scenario of tests/data/main-window: a home, then steps as a user takes
// them; after each step the transcript records what the window shows (of
// the parts the scenario watches) that the step changed, with "{server}" for
// the test server's address.
class MainFormScenario : public MainFormTest, public ::testing::WithParamInterface<std::string> {
protected:
    // The preferences (after a first run unless this is it), the pages the
    // server serves (a list of titles is a feed of them) and the providers,
    // each reading one of those pages or, without one, nothing that answers;
    // or the list of providers as it is written; the skin worn, from the
    // skins the program ships.
    void Prepare(const QJsonObject& setup) {
        QApplication::clipboard()->clear();
        const QJsonObject pages = setup["serve"].toObject();
        for (auto page = pages.begin(); page != pages.end(); ++page) {
            const QByteArray body = page->isArray() ? Rss(page->toVariant().toStringList())
                                                    : Served(page->toString()).toUtf8();
            server.Serve(page.key().toUtf8(), body,
                         body.contains("<html") ? "text/html" : "application/xml");
        }
        QByteArray providers;
        const QJsonObject named = setup["providers"].toObject();
        for (auto provider = named.begin(); provider != named.end(); ++provider) {
            feeds = feeds || provider->isString();
            const QUrl url = provider->isString() ? server.Url(provider->toString())
                                                  : QUrl("http://127.0.0.1:9/" + provider.key());
            providers +=
                ProviderElement(int(providers.count("<provider>")) + 1, provider.key(), url)
                    .replace("</provider>", setup["more"].toString().toUtf8() + "</provider>");
        }
        if (!named.isEmpty())
            WriteProviders("<providers>" + providers + "</providers>");
        feeds = feeds || setup["list"].toString().contains("{server}");
        if (setup.contains("list"))
            WriteProviders(Served(setup["list"].toString()).toUtf8());
        QByteArray preferences = setup["preferences"].toString().toUtf8();
        if (setup.contains("skin")) {
            const QString skin = setup["skin"].toString();
            TestData::CopyFiles(TestData::Bundled("skins/" + skin), Skins() + u'/' + skin);
            preferences += ("CurrentSkin=" + skin + "\nSkinDirectory=" + Skins() + "\n").toUtf8();
        }
        if (!setup["firstRun"].toBool())
            WriteStore("[Preferences]\nInvocations=3\n" + preferences);
    }

    QString Skins() const { return folder.filePath(QStringLiteral("skins")); }
    QString Served(QString text) const { return text.replace("{server}", Address()); }
    QString Local(QString text) const { return text.replace(Address(), "{server}"); }
    QString Address() const { return server.Url(QString()).toString(); }

    // Every load the last step started is done.
    void Settle() const {
        ASSERT_TRUE(WaitUntil([this] {
            return std::ranges::all_of(core->Providers(),
                                       [](const auto& p) { return p->PendingOperations == 0; });
        }));
        QCoreApplication::processEvents();
    }

    // A step by its name, with up to two arguments.
    QHash<QString, std::function<void(const QString&, const QString&)>> Steps() {
        using Text = const QString&;
        QHash<QString, std::function<void(Text, Text)>> steps;
        steps.insert("open", [this](auto, auto) { OpenAndSettle(); });
        steps.insert("rename", [this](Text node, Text name) { Rename(node, name); });
        steps.insert("drop-down", [this](Text button, auto) { DropDown(button); });
        steps.insert("pick last",
                     [this](Text button, auto) { Menu(button)->actions().last()->trigger(); });
        steps.insert("find", [this](Text text, auto) { Find(text); });
        steps.insert("drag", [this](Text part, Text how) { Drag(part, how); });
        steps.insert("fix bar", [this](auto, auto) { form->Commands().setMovable(false); });
        steps.insert("press", [this](Text button, auto) { Press(button); });
        steps.insert("double-click caption", [this](auto, auto) { DoubleClickCaption(); });
        steps.insert("restore", [this](auto, auto) { form->showNormal(); });
        steps.insert("add bad skin", [this](auto, auto) {
            SkinFolders::Write(Skins(), "Bad", "<NeoCaptionSkin>");
        });
        steps.insert("check", [this](Text node, auto) { Check(node, Qt::Checked); });
        steps.insert("uncheck", [this](Text node, auto) { Check(node, Qt::Unchecked); });
        steps.insert("serve", [this](Text path, Text titles) { Serve(path, titles); });
        steps.insert("row", [this](Text row, auto) { ClickRow(row.toInt()); });
        steps.insert("activate",
                     [this](auto, auto) { QTest::keyClick(GridView(), Qt::Key_Return); });
        steps.insert("close", [this](auto, auto) { form->close(); });
        steps.insert("minimise", [this](auto, auto) { form->showMinimized(); });
        steps.insert("maximise", [this](auto, auto) { form->showMaximized(); });
        steps.insert("put away", [this](auto, auto) { form->hide(); });
        steps.insert("tray", [this](Text reason, auto) {
            form->findChild<TrayIcon*>()->OnActivated(
                QSystemTrayIcon::ActivationReason(reason.toInt()));
        });
        steps.insert("accept startup", [this](auto, auto) { StartupOK(); });
        steps.insert("reject startup",
                     [this](auto, auto) { form->findChild<Startup*>()->reject(); });
        steps.insert("click", [this](Text node, auto) { Click(node); });
        steps.insert("key", [this](Text to, Text key) { Key(to == "tree", key); });
        steps.insert("menu", [this](Text node, auto) { OpenMenu(node); });
        steps.insert("trigger", [this](Text item, auto) { Item(item)->trigger(); });
        steps.insert("choose category",
                     [this](auto, auto) { AnswerNextModal(ChooseFirstCategory); });
        steps.insert("accept dialog", [this](auto, auto) { AnswerNextModal(Accept); });
        steps.insert("drop", [this](Text url, Text category) { Drop(url, category); });
        steps.insert("news", [this](Text news, auto) { emit core->PhoneHomeDue(news); });
        steps.insert("home page", [this](Text url, auto) { SetHomePage(url); });
        steps.insert("yes", [this](auto, auto) { Box()->button(QMessageBox::Yes)->click(); });
        steps.insert("cancel settings", [this](auto, auto) { Settings()->Form()->reject(); });
        steps.insert("add feed", [this](Text url, auto) { AddFeed(url); });
        steps.insert("close browser", [this](auto, auto) { Detached()->close(); });
        steps.insert("reload", [this](auto, auto) { Reload(); });
        steps.insert("page loaded", [this](auto, auto) { WaitForPage(); });
        steps.insert("drag bodies", [this](auto, auto) { DragBodies(); });
        steps.insert("notice", [this](Text text, auto) { Notice(text); });
        steps.insert("clear status", [this](auto, auto) { form->statusBar()->clearMessage(); });
        steps.insert("plain display", [this](auto, auto) { PlainDisplay(); });
        steps.insert("pop up", [this](Text menu, auto) { Popup(menu)->popup(QPoint(10, 10)); });
        steps.insert("hide", [this](Text menu, auto) { Popup(menu)->hide(); });
        steps.insert("press splitter", [this](Text n, Text button) { PressSplitter(n, button); });
        steps.insert("release splitter",
                     [this](Text n, Text button) { ReleaseSplitter(n, button); });
        steps.insert("play caption",
                     [this](Text caption, auto) { emit core->PlayCaptionChanged(caption); });
        return steps;
    }

    QTreeWidget* StartupTree() const {
        const auto* startup = form->findChild<Startup*>();
        return startup && startup->isVisible()
                   ? startup->findChild<QTreeWidget*>(QStringLiteral("tvCategories"))
                   : nullptr;
    }

    void Check(const QString& name, Qt::CheckState state) const {
        StartupTree()->findItems(name, Qt::MatchExactly | Qt::MatchRecursive)[0]->setCheckState(
            0, state);
    }

    void StartupOK() const {
        form->findChild<Startup*>()
            ->findChild<QDialogButtonBox*>()
            ->button(QDialogButtonBox::Ok)
            ->click();
    }

    // The feed at `path` becomes one of the stories titled `titles` ("|"
    // between them).
    void Serve(const QString& path, const QString& titles) {
        server.Serve(path.toUtf8(), Rss(titles.split(u'|')));
    }

    void ClickRow(int row) const {
        auto* rows = form->Layout().Grid().findChild<QTreeWidget*>();
        QTest::mouseClick(rows->viewport(), Qt::LeftButton, {},
                          rows->visualItemRect(rows->topLevelItem(row - 1)).center());
    }

    // Once open, the stories of the provider on show are waited for when it
    // reads a served feed.
    void OpenAndSettle() {
        Open();
        if (feeds) {
            ASSERT_TRUE(WaitUntil([this] { return form->Layout().Grid().RowCount() > 0; }));
        }
        Settle();
    }

    void Reload() const {
        core->ReloadCurrentProvider();
        Settle();
    }

    // Drags a part of the window (the grid's "heading", or the command bar
    // by its "handle", a few pixels in from its left end, or by its "end")
    // "button across down", "far" being just past the drag distance.
    void Drag(const QString& part, const QString& how) const {
        const QStringList spec = how.split(u' ');
        const int far = QApplication::startDragDistance() + 1;
        const auto pixels = [far](const QString& by) {
            return by.endsWith(u"far") ? (by.startsWith(u'-') ? -far : far) : by.toInt();
        };
        QWidget& widget = part == "heading" ? form->Layout().Grid().Heading() : form->Commands();
        const int x = part == "handle" ? 8 : widget.width() - 5;
        MouseDrag(widget, {x, widget.height() / 2}, {pixels(spec[1]), pixels(spec[2])},
                  spec[0] == "left" ? Qt::LeftButton : Qt::RightButton);
    }

    void Press(const QString& button) const {
        const auto* caption = form->findChild<CaptionBar*>();
        QTest::mouseClick(caption->findChild<QAbstractButton*>(button), Qt::LeftButton);
    }

    void DoubleClickCaption() const {
        QTest::mouseDClick(form->findChild<CaptionBar*>(), Qt::LeftButton, {}, QPoint(100, 5));
    }

    QMenu* Menu(const QString& item) const { return Item(item)->menu(); }

    // Opens a button's drop-down, whose entries are made as it opens.
    void DropDown(const QString& button) {
        emit Menu(button)->aboutToShow();
        shownEntries.clear();
        for (const QAction* entry : Menu(button)->actions())
            shownEntries << (entry->isSeparator() ? QStringLiteral("-") : entry->text());
    }

    void Find(const QString& text) const {
        form->Commands().FindBox().setText(text);
        emit form->Commands().FindBox().returnPressed();
    }

    // As the user edits a category's name in place.
    void Rename(const QString& node, const QString& name) const {
        Node(node)->setText(0, name);
        QCoreApplication::processEvents();
    }

    void Click(const QString& node) const {
        QTest::mouseClick(Tree().viewport(), Qt::LeftButton, {}, NodeCentre(node));
    }

    // A provider key, to the grid or the tree; it flips to another provider,
    // whose stories are then waited for.
    void Key(bool toTree, const QString& key) const {
        form->Commands().FindBox().clearFocus();
        const qsizetype shown = core->CurrentProviderIndex();
        QTest::keyClicks(toTree ? static_cast<QWidget*>(&Tree()) : GridView(), key);
        ASSERT_TRUE(WaitUntil([&] {
            const auto now = core->CurrentProvider();
            return core->CurrentProviderIndex() != shown && now->PendingOperations == 0 &&
                   (now->Stories != nullptr || now->LoadState == LoadState::Failed);
        }));
        QCoreApplication::processEvents();
    }

    void OpenMenu(const QString& node) const {
        emit Tree().customContextMenuRequested(NodeCentre(node));
        form->Menu().hide();
    }

    static void Accept(QWidget* modal) { qobject_cast<QDialog*>(modal)->accept(); }

    // Subscribing is done once the status bar tells what came of it.
    void Drop(const QString& address, const QString& category) const {
        const QString before = form->statusBar()->currentMessage();
        emit Tree().ProviderURLDropped(Served(address), category);
        ASSERT_TRUE(WaitUntil([&] { return form->statusBar()->currentMessage() != before; }));
        Settle();
    }

    void SetHomePage(const QString& address) {
        homePage.reset();
        homePage.emplace("VARNOCET_HOME_PAGE", address.toUtf8());
    }

    QMessageBox* Box() const {
        for (QMessageBox* box : form->findChildren<QMessageBox*>())
            if (box->isVisible())
                return box;
        return nullptr;
    }

    SettingsDialog* Settings() const { return form->findChild<SettingsDialog*>(); }

    void AddFeed(const QString& address) const {
        auto* add = form->findChild<AddFeedDialog*>();
        const qsizetype count = core->Providers().Count();
        add->findChild<QLineEdit*>("txtAddress")->setText(Served(address));
        add->findChild<QPushButton*>("cmdOK")->click();
        ASSERT_TRUE(WaitUntil([&] { return core->Providers().Count() != count; }));
        Settle();
    }

    DetachedBrowser* Detached() const { return form->findChild<DetachedBrowser*>(); }

    // The article's page, not the blank one the pane starts on, is loaded.
    void WaitForPage() const {
        const auto* state = form->findChild<QLabel*>(QStringLiteral("labBrowser"));
        ASSERT_TRUE(WaitUntil([&] {
            return state->text() == "Article: Done" &&
                   form->Layout().Browser().Url() != QUrl("about:blank");
        }));
    }

    QAbstractItemView* GridView() const {
        return form->Layout().Grid().findChild<QAbstractItemView*>();
    }

    // Drags each part of the window that moves it, where it is bare.
    void DragBodies() const {
        for (QWidget* body : std::initializer_list<QWidget*>{&form->Layout().Grid().Heading(),
                                                             &form->Layout().SiteImage(),
                                                             &form->Commands(), form->statusBar()})
            MouseDrag(*body, {body->width() - 5, 5}, {QApplication::startDragDistance() + 1, 0});
    }

    void Notice(const QString& text) {
        BackgroundNotice::Forget();
        ::testing::internal::CaptureStderr();
        BackgroundNotice::Report(text);
        errors = QString::fromStdString(::testing::internal::GetCapturedStderr());
    }

    // The context menu, or the menu of an item (a drop-down, a submenu).
    QMenu* Popup(const QString& menu) const {
        return menu == "context" ? &form->Menu() : Menu(menu);
    }

    // The handle of the splitter numbered `n` (the outermost last).
    QSplitterHandle* Handle(const QString& n) const {
        QWidget* root = form->Layout().Root();
        const QList<QSplitter*> splitters = root->findChildren<QSplitter*>()
                                            << qobject_cast<QSplitter*>(root);
        return splitters.at(n.toInt())->handle(1);
    }

    static Qt::MouseButton Button(const QString& button) {
        return button == "right" ? Qt::RightButton : Qt::LeftButton;
    }

    void PressSplitter(const QString& n, const QString& button) const {
        QTest::mousePress(Handle(n), Button(button), {}, Handle(n)->rect().center());
    }

    // Released away from where it was pressed.
    void ReleaseSplitter(const QString& n, const QString& button) const {
        const QPoint away = Handle(n)->rect().center() + QPoint(20, 20);
        QTest::mouseMove(Handle(n), away);
        QTest::mouseRelease(Handle(n), Button(button), {}, away);
    }

    void PlainDisplay() const {
        ::Settings& settings = core->ProgramSettings();
        settings.ShowArticleURL = false;
        settings.UsePerProviderColor = false;
        settings.EasyMove = false;
        core->ApplyPreferences();
    }

    // What the steps concern, as the user sees it.
    QJsonObject Snapshot() const {
        QStringList providers;
        for (const auto& provider : core->Providers())
            providers << Local(provider->ProviderName + " in " + provider->Category + " from " +
                               provider->DataURL + (provider->Active ? "" : ", inactive"));
        QStringList pages;
        for (const QUrl& page : opened.Pages)
            pages << page.toString();
        const auto* address = form->findChild<ArticleAddressLabel*>();
        return {
            {"window", WindowState()},
            {"frame", Frame()},
            {"providers", QJsonArray::fromStringList(providers)},
            {"on show", core->CurrentProviderIndex()},
            {"tree", QJsonArray::fromStringList(Lines(&Tree()))},
            {"categories", QJsonArray::fromStringList(CategoryLines())},
            {"startup", QJsonArray::fromStringList(Lines(StartupTree()))},
            {"grid", QJsonArray::fromStringList(GridLines())},
            {"grid colour", GridColours()},
            {"browser", Local(form->Layout().Browser().Url().toString())},
            {"detached browser",
             Detached() && Detached()->isVisible()
                 ? Detached()->windowTitle() + " at " + Local(Detached()->Url().toString())
                 : "closed"},
            {"address", address->isVisible() ? address->Address() : "(hidden)"},
            {"status", Local(form->statusBar()->currentMessage())},
            {"dialog", DialogText()},
            {"messages", QJsonArray::fromStringList(RecordingMessageBox::Instance().Texts)},
            {"opened", QJsonArray::fromStringList(pages)},
            {"clipboard", ClipboardText()},
            {"drop-down", QJsonArray::fromStringList(shownEntries)},
            {"view menu", ViewMarks()},
            {"moves", moves},
            {"standard error", errors},
            {"user busy", core->Flags().UserBusy},
            {"play", Item("PLAY")->text()},
        };
    }

    // Its title, whether it is shown and how, whether it asks for the
    // categories and whether the timers run.
    QString WindowState() const {
        const auto* startup = form->findChild<Startup*>();
        return form->windowTitle() + (form->isVisible() ? ": shown" : ": hidden") +
               (form->isMinimized() ? ", minimised" : "") +
               (form->isMaximized() ? ", maximised" : "") +
               (form->windowFlags().testFlag(Qt::WindowStaysOnTopHint) ? ", on top" : "") +
               (startup && startup->isVisible() ? ", asking for categories" : "") +
               (core->Scheduler().Running() ? ", timers on" : ", timers off");
    }

    // The skin's caption and border and where the contents start, or the
    // desktop's frame.
    QString Frame() const {
        const auto look = SkinFrame::LookOf(*form);
        const auto* caption = form->findChild<CaptionBar*>();
        if (look == nullptr || caption == nullptr)
            return form->windowFlags().testFlag(Qt::FramelessWindowHint) ? "none" : "desktop's";
        const QPoint contents = form->centralWidget()->geometry().topLeft();
        return QString("caption \"%1\" %2 high at %3, border %4 wide%5, contents at %6,%7")
            .arg(caption->Title())
            .arg(look->CaptionHeight())
            .arg(caption->y())
            .arg(look->BorderWidth())
            .arg(form->findChild<SkinBorder*>()->isVisible() ? "" : " hidden")
            .arg(contents.x())
            .arg(contents.y());
    }

    // A node a line, indented by its depth: the highlighted one marked, and
    // its check box and background colour when it has them.
    QStringList Lines(QTreeWidget* tree) const {
        QStringList lines;
        if (tree == nullptr)
            return lines;
        for (QTreeWidgetItemIterator it(tree); *it; ++it) {
            const QTreeWidgetItem& node = **it;
            QString line =
                Local(node.text(0)) + (&node == tree->currentItem() ? " (highlighted)" : "");
            for (const QTreeWidgetItem* up = node.parent(); up != nullptr; up = up->parent())
                line.prepend("  ");
            if (node.data(0, Qt::CheckStateRole).isValid())
                line += node.checkState(0) == Qt::Checked ? " [x]" : " [ ]";
            const QVariant back = node.data(0, Qt::BackgroundRole);
            lines << line + (back.isValid() ? " on " + back.value<QBrush>().color().name() : "");
        }
        return lines;
    }

    // The grid's back and text colours, and the first summary's.
    QString GridColours() const {
        const QPalette palette = GridView()->palette();
        const QTreeWidgetItem* first =
            form->Layout().Grid().findChild<QTreeWidget*>()->topLevelItem(0);
        return palette.color(QPalette::Base).name() + ", text " +
               palette.color(QPalette::Text).name() +
               (first ? ", summaries " + first->foreground(ArticleGrid::Description).color().name()
                      : "");
    }

    // The View menu's items that are checked.
    QString ViewMarks() const {
        QStringList checked;
        for (const QAction* item : Menu("mnuContextViewMenu")->actions())
            if (item->isChecked())
                checked << item->objectName();
        return checked.join(' ');
    }

    QStringList CategoryLines() const {
        QStringList lines;
        for (const auto& category : core->Providers().Categories())
            lines << category->CategoryName + (category->Active ? "" : ", inactive") +
                         (category->Visible ? "" : ", hidden");
        return lines;
    }

    // The heading, then a row a line: read or not, the title (marked when
    // bold), the summary, the link and whether it is the selected row.
    QStringList GridLines() const {
        const ArticleGrid& grid = form->Layout().Grid();
        QStringList lines{grid.findChild<QLabel*>(QStringLiteral("labArticles"))->text()};
        const auto* rows = grid.findChild<QTreeWidget*>();
        for (int row = 0; row < rows->topLevelItemCount(); ++row) {
            const QTreeWidgetItem& item = *rows->topLevelItem(row);
            lines << item.text(ArticleGrid::Read) + " " + item.text(ArticleGrid::Item) +
                         (item.font(ArticleGrid::Item).bold() ? " (bold)" : "") + " | " +
                         item.text(ArticleGrid::Description) + " | " + item.text(ArticleGrid::ID) +
                         (grid.SelectedRow() == row + 1 ? " (selected)" : "");
        }
        return lines;
    }

    // The message box shown with its buttons, the settings dialog's tab with
    // the providers chosen on it, or the Add Feed dialog.
    QString DialogText() const {
        const SettingsForm* settings = Settings() ? Settings()->Form() : nullptr;
        QStringList parts;
        if (QMessageBox* box = Box()) {
            for (QAbstractButton* button : box->buttons())
                parts << button->text().remove(u'&');
            return box->text() + " [" + parts.join(' ') + "]";
        }
        if (settings && settings->isVisible()) {
            for (const QListWidgetItem* item :
                 settings->findChild<QListWidget*>("lstProviders")->selectedItems())
                parts << item->text();
            const bool skinned = SkinFrame::LookOf(*settings) != nullptr &&
                                 SkinFrame::LookOf(*settings) == SkinFrame::LookOf(*form);
            return settings->HelpTopic() + ": " + parts.join(", ") +
                   (skinned ? " (skinned as the window)" : "");
        }
        const auto* add = form->findChild<AddFeedDialog*>();
        return add && add->isVisible() ? "Add Feed" : "";
    }

    // The text, and the link and rich text when they come with it.
    QString ClipboardText() const {
        const QMimeData* copied = QApplication::clipboard()->mimeData();
        if (copied == nullptr)
            return {};
        QString text = copied->text();
        for (const QUrl& url : copied->urls())
            text += ", link " + url.toString();
        return Local(text + (copied->hasHtml() ? ", with HTML" : ""));
    }

    OpenedPages opened;
    std::optional<EnvironmentVariable> homePage;
    QString errors;
    QStringList shownEntries;
    bool feeds = false;
};

QString ScenarioFolder() {
    return TestData::Path(QStringLiteral("main-window"));
}

} // namespace

TEST_P(MainFormScenario, ShowsWhatEachStepLeadsTo) {
    const QString file = ScenarioFolder() + u'/' + QString::fromStdString(GetParam());
    const QJsonObject scenario = QJsonDocument::fromJson(TestData::ReadFile(file)).object();
    Prepare(scenario["setup"].toObject());
    const auto steps = Steps();
    QJsonArray transcript;
    const QJsonArray watched = scenario["watch"].toArray();
    QJsonObject before;
    for (const QJsonValue& value : scenario["steps"].toArray()) {
        const QJsonArray step = value.toArray();
        ASSERT_TRUE(steps.contains(step[0].toString())) << step[0].toString().toStdString();
        steps[step[0].toString()](step[1].toString(), step[2].toString());
        const QJsonObject now = Snapshot();
        QJsonObject changed;
        for (auto field = now.begin(); field != now.end(); ++field)
            if (watched.contains(field.key()) && before.value(field.key()) != field.value())
                changed.insert(field.key(), field.value());
        transcript.append(QJsonObject{{"step", step}, {"shows", changed}});
        before = now;
    }
    GoldenFile::Check(file.chopped(int(qstrlen(".steps.json"))) + ".expected.json",
                      {{"transcript", transcript}}, QString::fromStdString(GetParam()), "ui_tests");
}

INSTANTIATE_TEST_SUITE_P(MainWindow, MainFormScenario,
                         ::testing::ValuesIn(GoldenFile::Cases(ScenarioFolder(), ".steps.json")),
                         GoldenFile::CaseName);

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

// What the listener answers is the core's; the window gives it the category
// chooser, kept on top, and closes it on shutdown.
TEST_F(MainFormTest, AWebPageAddsAProviderInTheCategoryTheUserChooses) {
    TwoUnreachableProviders();
    server.Serve("/chosen", Rss({"Story"}));
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost));
    const quint16 port = probe.serverPort();
    probe.close();
    const EnvironmentVariable listenerPort("VARNOCET_LISTENER_PORT", QByteArray::number(port));
    Open();
    RawHttpClient chosen(port);
    chosen.Send("GET /add_provider?url=" + server.Url("/chosen").toEncoded() + " HTTP/1.1\r\n\r\n");
    SelectCategory* chooser = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        for (SelectCategory* open : form->findChildren<SelectCategory*>())
            if (open->isVisible())
                chooser = open;
        return chooser != nullptr;
    }));
    EXPECT_TRUE(chooser->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    ChooseFirstCategory(chooser);
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
