#include "core/ProgramCore.h"

#include "config/ProgramVersion.h"
#include "config/Skin.h"
#include "core/FeedSubscriber.h"
#include "core/ProviderListener.h"
#include "core/SettingsSession.h"
#include "core/SkinSelection.h"
#include "model/ProviderCollection.h"
#include "platform/BackgroundNotice.h"
#include "retrieval/FeedFetcher.h"
#include "retrieval/RefreshScheduler.h"
#include "support/EnvironmentVariable.h"
#include "support/EventWait.h"
#include "support/FiledProviders.h"
#include "support/GoldenFile.h"
#include "support/ProductsFile.h"
#include "support/ProgramHome.h"
#include "support/RawHttpClient.h"
#include "support/RecordingMessageBox.h"
#include "support/SilentReport.h"
#include "support/StatusRecorder.h"
#include "support/TestData.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkInterface>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>

#include <map>

namespace {

using Step = QJsonArray;

// The program as it runs behind its window, over a temporary home. A
// scenario of data/core-scenarios: a home (its store, its providers with
// "{site}" for the local server, the feeds served), then steps, each
// followed by what it changed; Do() reads the steps.
class ProgramCoreTest : public ProgramHome, public ::testing::WithParamInterface<std::string> {
protected:
    ProgramCore& Start(const QString& storeFolder = {}) {
        NewProgram(storeFolder);
        Record();
        core->Load(QSize(15360, 11520), progress, report);
        core->ShowStoredProvider();
        core->ApplyPreferences();
        return *core;
    }

    // What the views hear from the core, one line a signal, kept until the
    // next snapshot.
    void Record() {
        const auto hear = [this](const QString& line) {
            heard.append(Sited(line));
        };
        QObject::connect(core.get(), &ProgramCore::StorySelected,
                         [hear](int row, const QString& url) {
                             hear(QStringLiteral("selected %1 %2").arg(row).arg(url));
                         });
        QObject::connect(core.get(), &ProgramCore::StoriesChanged, [hear] { hear("refilled"); });
        QObject::connect(core.get(), &ProgramCore::ListChanged, [hear] { hear("list changed"); });
        QObject::connect(core.get(), &ProgramCore::BusyChanged,
                         [hear](bool busy) { hear(busy ? "busy" : "idle"); });
        QObject::connect(core.get(), &ProgramCore::PlayIconChanged,
                         [hear](int icon) { hear(QStringLiteral("icon %1").arg(icon)); });
        QObject::connect(
            core.get(), &ProgramCore::ProviderUpdated,
            [hear](const Provider& provider) { hear("updated " + provider.ProviderName); });
        for (const auto& [signal, prefix] : {std::pair{&ProgramCore::Notice, ""},
                                             {&ProgramCore::PlayCaptionChanged, "caption "},
                                             {&ProgramCore::UpdateCheckAnswered, "answered "},
                                             {&ProgramCore::PhoneHomeDue, "prompted "}})
            QObject::connect(core.get(), signal,
                             [hear, prefix](const QString& text) { hear(prefix + text); });
    }

    QString Sited(QString text) const {
        return text.replace(server.Url(QString()).toString(), "{site}")
            .replace(ProductsFile::NextVersion(), "{next}");
    }

    // "{site}" the local server, "{port}" its port, "{8000 times x}" as
    // many x, "{running}" the program's version and "{next}" the one after.
    QString Expand(QString text) const {
        static const QRegularExpression repeat("\\{(\\d+) times (.)\\}");
        for (auto match = repeat.match(text); match.hasMatch(); match = repeat.match(text))
            text.replace(match.capturedStart(), match.capturedLength(),
                         QString(match.captured(1).toInt(), match.captured(2).front()));
        return text.replace("{site}", server.Url(QString()).toString())
            .replace("{port}", QString::number(server.Url(QString()).port()))
            .replace("{running}", ProgramVersionString())
            .replace("{next}", ProductsFile::NextVersion());
    }

    void Serve(const QString& path, const QJsonValue& feed) {
        QJsonObject answer = feed.toObject();
        answer["body"] = Expand(answer["body"].toString());
        if (feed.isArray())
            server.Serve(path.toUtf8(), Rss(feed.toVariant().toStringList()));
        else if (feed["title"].isString())
            server.Serve(path.toUtf8(), RssFeed::Named(feed["title"].toString().toUtf8()));
        else
            server.Serve(path.toUtf8(), TestHttpServer::FromJson(answer));
        if (feed["neverAnswer"].toBool())
            silent.append(server.Url(path).toString());
    }

    // Until no feed that answers is being read, and the work it posted has
    // run.
    void Settle() const {
        if (!core)
            return;
        EXPECT_TRUE(WaitUntil([this] {
            for (const auto& provider : core->Providers())
                if (provider->PendingOperations > 0 && !silent.contains(provider->DataURL))
                    return false;
            return !core->CheckingForProgramUpdate();
        }));
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }

    Provider& Item(const QJsonValue& index) const { return *core->Providers().Item(index.toInt()); }

    // What a subscription came to, with the origin of the provider found or
    // added.
    static QString Described(const ProviderSubscription::Result& result) {
        static const QStringList names{"found", "added", "needs a category", "refused"};
        return names.at(static_cast<int>(result.outcome)) +
               (result.provider ? QStringLiteral(" origin %1").arg(result.provider->Origin)
                                : QString());
    }

    // "Name @Category", with " off", " first" and " new" where they hold.
    QJsonValue ProviderLines() const {
        QStringList lines;
        for (const auto& provider : core->Providers())
            lines.append(Sited(provider->ProviderName + " @" + provider->Category + " " +
                               provider->DataURL + (provider->Active ? "" : " off") +
                               (provider->FirstInCategory ? " first" : "") +
                               (provider->BrandNew ? " new" : "")));
        return QJsonArray::fromStringList(lines);
    }

    // The stories of the provider on show: "Title", with " new" and
    // " opened" where they hold.
    QJsonValue StoryLines() const {
        QStringList lines;
        if (const auto& provider = core->CurrentProvider())
            for (const Story& story : *provider->Stories)
                lines.append(story.Title + (story.NewStory ? " new" : "") +
                             (story.Opened ? " opened" : ""));
        return QJsonArray::fromStringList(lines);
    }

    // The lines of `file` that hold `text`.
    QJsonValue Grep(const QString& file, const QString& text) const {
        QStringList lines = QString::fromUtf8(Read(file)).split(QRegularExpression("[\r\n]+"));
        return QJsonArray::fromStringList(
            lines.filter(text)
                .replaceInStrings(QRegularExpression("^\\s+"), QString())
                .replaceInStrings(ProgramVersionString(), "{version}"));
    }

    QJsonValue Subscribe(const QString& url, const QString& category) {
        QString outcome;
        FeedSubscriber subscriber(*core);
        QObject::connect(
            &subscriber, &FeedSubscriber::Subscribed,
            [&](const ProviderSubscription::Result& result, const FeedLink& feed) {
                outcome =
                    QStringLiteral("%1 %2 \"%3\"").arg(Described(result), feed.Address, feed.Title);
            });
        QObject::connect(&subscriber, &FeedSubscriber::Failed,
                         [&](const QString& message) { outcome = message; });
        subscriber.Start(url, category);
        const bool synchronous = !outcome.isEmpty();
        EXPECT_TRUE(WaitUntil([&] { return !outcome.isEmpty(); }));
        return Sited(synchronous ? "(from inside Start) " + outcome : outcome);
    }

    // The body of a page the listener answered with; anything else whole.
    QJsonValue Page(const QByteArray& answer) const {
        static const QRegularExpression page(
            "^HTTP/1.0 200 OK\r\nContent-Type: text/html; charset=utf-8\r\nConnection: close"
            "\r\n\r\n<HTML>\r<HEAD>\r</HEAD>\r<BODY>\r(.*)</BODY>\r</HTML>\r$",
            QRegularExpression::DotMatchesEverythingOption);
        const QRegularExpressionMatch match = page.match(QString::fromUtf8(answer));
        return Sited(match.hasMatch() ? match.captured(1) : QString::fromUtf8(answer));
    }

    void Listen(const QJsonObject& limits) {
        listener = std::make_unique<ProviderListener>(
            *core, [this](ProviderListener::CategoryAnswer answer) { questions.append(answer); },
            ProviderListener::Limits{limits["RequestLineMs"].toInt(5000),
                                     limits["NameWaitMs"].toInt(15000),
                                     limits["SuspendedRetryMs"].toInt(500)});
        ASSERT_TRUE(listener->Listen(0));
    }

    RawHttpClient& Client(const QJsonValue& name) {
        auto& client = clients[name.toString()];
        if (!client)
            client = std::make_unique<RawHttpClient>(listener->Port());
        return *client;
    }

    void Choose(const QString& category) {
        ASSERT_TRUE(WaitUntil([this] { return !questions.isEmpty(); }));
        questions.takeFirst()(category);
    }

    // The working copy of an open settings dialog, by unique id.
    Provider& Copied(const QJsonValue& id) const {
        ProviderCollection& copy = session->WorkingCopy();
        return *copy.Item(copy.LocateProviderByUniqueID(id.toInt()));
    }

    void SwitchOffCategory(ProviderCollection& providers, const QString& path) const {
        CategoryCollection& categories = providers.Categories();
        categories.Item(categories.LocateCategory(path))->Active = false;
        categories.ComputeVisibility();
    }

    QString StoreFile() const { return folder.filePath("Varnocet.conf"); }

    // The scheduler's minutes, with no provider falling due on the way;
    // whether an update check is under way after them.
    bool Minutes(int minutes) const {
        for (const auto& provider : core->Providers()) {
            provider->RefreshMinutes = 32767;
            provider->MinutesToNextRefresh = 32767;
        }
        for (int minute = 0; minute < minutes; ++minute)
            core->Scheduler().UpdateTick();
        return core->CheckingForProgramUpdate();
    }

    QJsonValue Ask(const QByteArray& request) const {
        RawHttpClient client(listener->Port());
        client.Send(request);
        return Page(client.Answer());
    }

    // Does the step; what it answers when it asks something.
    QJsonValue Do(const Step& step) {
        const QString name = step[0].toString();
        const QJsonValue first = step[1];
        if (name == u"start" && first.toString() == u"blocked")
            TestData::Write(folder.filePath("blocker"), "");
        if (name == u"start")
            Start(first.toString() == u"blocked" ? folder.filePath("blocker/config") : QString());
        if (name == u"show")
            core->ShowProvider(first.toInt());
        if (name == u"select")
            core->SelectStory(first.toInt());
        if (name == u"next")
            core->NextArticle();
        if (name == u"previous")
            core->PreviousArticle();
        if (name == u"reload")
            core->ReloadCurrentProvider();
        if (name == u"flip")
            core->FlipCommand(first.toString());
        if (name == u"fetch")
            core->Fetcher().GrabStories(Item(first));
        if (name == u"serve")
            Serve(first.toString(), step[2]);
        if (name == u"find")
            return core->FindStory(first.toString());
        if (name == u"inactive")
            core->MakeProviderInactive(first.toInt());
        if (name == u"inactive category")
            core->MakeCategoryInactive(first.toString());
        if (name == u"rename category")
            core->RenameCategory(first.toString(), step[2].toString());
        if (name == u"first run switches off")
            SwitchOffCategory(core->Providers(), first.toString());
        if (name == u"first run switches off")
            core->CategoriesChosen();
        if (name == u"switch off")
            Item(first).Active = false;
        if (name == u"attempted")
            Item(first).AttemptedUpdates = step[2].toInt();
        if (name == u"add")
            return Described(core->AddProviderByURL(Expand(first.toString()), step[2].toString()));
        if (name == u"next in background")
            return Item(core->Scheduler().NextBackgroundIndex(core->CurrentProviderIndex(), false))
                .ProviderName;
        if (name == u"shutdown")
            core->Shutdown();
        if (name == u"write providers")
            WriteProviders(Expand(first.toString()).toUtf8());
        if (name == u"remove providers file")
            QFile::remove(ProvidersFile());
        if (name == u"notice")
            BackgroundNotice::Report(first.toString());
        if (name == u"providers")
            return ProviderLines();
        if (name == u"stories")
            return StoryLines();
        if (name == u"read story")
            core->ReadStory(first.toInt());
        if (name == u"mark all read")
            core->MarkAllRead(first.toInt());
        if (name == u"categories")
            return QJsonArray::fromStringList(CategoryLines(core->Providers()));
        if (name == u"grep")
            return Grep(first.toString() == u"store" ? StoreFile() : ProvidersFile(),
                        step[2].toString());
        if (name == u"pending")
            return QStringLiteral("%1 pending, %2 requests outstanding")
                .arg(Item(first).PendingOperations)
                .arg(core->Fetcher().OutstandingRequestCount());
        if (name == u"skin")
            return core->Skins().Current() ? core->Skins().Current()->DirName : "-";
        if (name == u"write store")
            WriteStore(first.toString().toUtf8());
        if (name == u"products at")
            productsAddress.emplace("VARNOCET_PRODUCTS_URL", Expand(first.toString()).toUtf8());
        if (name == u"check for update")
            core->CheckForProgramUpdate();
        if (name == u"minutes")
            return Minutes(first.toInt());
        if (name == u"requests")
            return server.RequestCount(first.toString().toUtf8());
        if (name == u"subscribe")
            return Subscribe(Expand(first.toString()), step[2].toString());
        if (name == u"listen")
            Listen(first.toObject());
        if (name == u"ask")
            return Ask(Expand(first.toString()).toUtf8());
        if (name == u"send")
            return Client(first).Send(Expand(step[2].toString()).toUtf8());
        if (name == u"read")
            return Client(first).Closed() ? "closed" : Page(Client(first).Read());
        if (name == u"answer")
            return Page(Client(first).Answer());
        if (name == u"choose")
            Choose(first.toString());
        if (name == u"questions")
            return WaitUntil([&] { return questions.size() >= first.toInt(); },
                             step[2].toInt(10000));
        if (name == u"suspend")
            core->Flags().Suspended = first.toBool();
        if (name == u"open settings")
            session = std::make_unique<SettingsSession>(*core, nullptr);
        if (name == u"set flip interval")
            session->WorkingSettings().FlipInterval = first.toInt();
        if (name == u"set skin")
            session->WorkingSettings().CurrentSkin = first.toString();
        if (name == u"copy rename")
            Copied(first).ProviderName = step[2].toString();
        if (name == u"copy switch")
            Copied(first).Active = step[2].toBool();
        if (name == u"copy remove")
            session->WorkingCopy().RemoveProvider(Copied(first));
        if (name == u"copy move down")
            session->WorkingCopy().MoveProvidersDown(first.toInt(), 1);
        if (name == u"copy switches off")
            SwitchOffCategory(session->WorkingCopy(), first.toString());
        if (name == u"apply") {
            progress.Statuses.clear();
            session->Apply(first.toBool(), &progress);
            return QJsonArray::fromStringList(progress.Statuses);
        }
        if (name == u"close settings")
            session.reset();
        return {};
    }

    // The provider and story on show, and what the step changed: the signals
    // heard, the message boxes shown, the files written.
    QJsonObject Snapshot() {
        QJsonObject snapshot;
        if (core) {
            const auto provider = core->CurrentProvider();
            snapshot["on"] = QStringLiteral("%1 #%2%3")
                                 .arg(provider ? provider->ProviderName : "-")
                                 .arg(core->CurrentStory())
                                 .arg(core->Flags().Suspended ? " suspended" : "");
        }
        if (!heard.isEmpty())
            snapshot["heard"] = QJsonArray::fromStringList(heard);
        RecordingMessageBox& boxes = RecordingMessageBox::Instance();
        if (!boxes.Texts.isEmpty())
            snapshot["boxes"] = QJsonArray::fromStringList(boxes.Texts);
        QStringList written;
        for (const QString& file : {ProvidersFile(), StoreFile()}) {
            const QString state =
                QFileInfo(file).lastModified().toString(Qt::ISODateWithMs) + Read(file);
            if (files[file] != state)
                written.append(QFileInfo(file).fileName());
            files[file] = state;
        }
        if (!written.isEmpty())
            snapshot["written"] = QJsonArray::fromStringList(written);
        heard.clear();
        boxes.Texts.clear();
        return snapshot;
    }

    StatusRecorder progress;
    SilentReport report;
    TestHttpServer server;
    QStringList heard;
    QStringList silent;
    std::unique_ptr<ProviderListener> listener;
    QList<ProviderListener::CategoryAnswer> questions;
    std::map<QString, std::unique_ptr<RawHttpClient>> clients;
    std::unique_ptr<SettingsSession> session;
    std::optional<EnvironmentVariable> productsAddress;
    QHash<QString, QString> files;
};

} // namespace

TEST_P(ProgramCoreTest, ScenarioGoesAsExpected) {
    const QString file = TestData::Path("core-scenarios/" + QString::fromStdString(GetParam()));
    const QJsonObject scenario = QJsonDocument::fromJson(TestData::ReadFile(file)).object();
    if (scenario.contains("store"))
        WriteStore(scenario["store"].toString().toUtf8());
    if (scenario.contains("providers"))
        WriteProviders(Expand(scenario["providers"].toString()).toUtf8());
    const QJsonObject serve = scenario["serve"].toObject();
    for (auto feed = serve.begin(); feed != serve.end(); ++feed)
        Serve(feed.key(), feed.value());
    BackgroundNotice::Forget();
    Snapshot();
    QJsonArray transcript;
    for (const QJsonValue& value : scenario["steps"].toArray()) {
        const Step step = value.toArray();
        SCOPED_TRACE(QJsonDocument(step).toJson(QJsonDocument::Compact).toStdString());
        const QJsonValue answer = Do(step);
        Settle();
        QJsonObject snapshot = Snapshot();
        snapshot["step"] = step;
        if (!answer.isNull())
            snapshot["answer"] = answer;
        transcript.append(snapshot);
    }
    GoldenFile::Check(QFileInfo(file).path() + "/expected.json", {{"transcript", transcript}},
                      QString::fromStdString(GetParam()), "core_tests");
}

INSTANTIATE_TEST_SUITE_P(Scenarios, ProgramCoreTest,
                         ::testing::ValuesIn(GoldenFile::Cases(TestData::Path("core-scenarios"),
                                                               "steps.json")),
                         GoldenFile::CaseName);

// The listener's guards; what it answers is walked by the listener
// scenarios.
TEST_F(ProgramCoreTest, OnlyThisMachineCanConnectToTheListener) {
    Start();
    Listen({});
    const quint16 port = listener->Port();
    ASSERT_FALSE(listener->Addresses().isEmpty());
    for (const QHostAddress& address : listener->Addresses()) {
        EXPECT_TRUE(address.isLoopback()) << address.toString().toStdString();
        RawHttpClient client(port, address);
        client.Send("GET /0?x HTTP/1.0\r\n");
        EXPECT_EQ(Page(client.Answer()), "Badly formed HTTP request - Code 3.");
    }
    for (const QHostAddress& address : QNetworkInterface::allAddresses()) {
        if (address.isLoopback())
            continue;
        RawHttpClient client(port, address);
        EXPECT_EQ(client.Answer(), "") << address.toString().toStdString();
        EXPECT_NE(client.Error(), QAbstractSocket::UnknownSocketError);
    }
    listener->Close();
    RawHttpClient closed(port);
    EXPECT_EQ(closed.Answer(), "");
    EXPECT_EQ(closed.Error(), QAbstractSocket::ConnectionRefusedError);
}

TEST_F(ProgramCoreTest, AListenerPortInUseIsOneNoticeAndNoListener) {
    Start();
    QTcpServer other;
    ASSERT_TRUE(other.listen(QHostAddress::LocalHost, 0));
    QSignalSpy notices(core.get(), &ProgramCore::Notice);
    ProviderListener taken(*core, [](ProviderListener::CategoryAnswer) {});
    EXPECT_FALSE(taken.Listen(other.serverPort()));
    EXPECT_FALSE(taken.IsListening());
    EXPECT_TRUE(taken.Addresses().isEmpty());
    ASSERT_EQ(notices.count(), 1);
    EXPECT_TRUE(notices.first().first().toString().contains(QString::number(other.serverPort())));
}

// A real browser is the client that matters.
TEST_F(ProgramCoreTest, ABrowserShowsTheListenersAnswer) {
    QString browser = QStandardPaths::findExecutable(QStringLiteral("chromium"));
    if (browser.isEmpty())
        browser = QStandardPaths::findExecutable(QStringLiteral("chromium-browser"));
    if (browser.isEmpty())
        GTEST_SKIP() << "Chromium is not installed (scripts/install-deps installs it)";
    ServeTwoProviders(server, {"One"}, {"Other"});
    Start();
    Listen({});
    const QTemporaryDir profile;
    QProcess process;
    process.start(
        browser, {QStringLiteral("--headless"), QStringLiteral("--no-sandbox"),
                  QStringLiteral("--disable-gpu"), QStringLiteral("--no-first-run"),
                  QStringLiteral("--disable-background-networking"),
                  QStringLiteral("--disable-component-update"),
                  // Nothing but this machine, which the rule must
                  // name or its address would not resolve either.
                  QStringLiteral("--host-resolver-rules=MAP * ~NOTFOUND, EXCLUDE 127.0.0.1"),
                  QStringLiteral("--user-data-dir=") + profile.path(), QStringLiteral("--dump-dom"),
                  QStringLiteral("http://127.0.0.1:%1/add_provider?url=%2")
                      .arg(listener->Port())
                      .arg(server.Url("/a").toString())});
    // The listener answers from this thread: the loop must run meanwhile.
    ASSERT_TRUE(WaitUntil([&] { return process.state() == QProcess::NotRunning; }, 60000));
    const QString page = QString::fromUtf8(process.readAllStandardOutput());
    EXPECT_TRUE(page.contains(QStringLiteral("is already in Varnocet category")))
        << page.toStdString() << process.readAllStandardError().toStdString();
}
