#include "retrieval/FeedDiscovery.h"
#include "retrieval/FeedFetcher.h"

#include "model/Provider.h"
#include "model/StoryCollection.h"
#include "platform/BackgroundNotice.h"
#include "support/EventWait.h"
#include "support/RecordingHost.h"
#include "support/RssFeed.h"
#include "support/Scenario.h"
#include "support/TestData.h"
#include "support/TestHttpServer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>

namespace {

// The fetcher and feed discovery over the local server, run by the steps
// of cases/fetch-scenarios.json and cases/discovery-scenarios.json. The
// setup gives the fetcher's "limits" (timeout in ms, body cap, pending
// slots, outstanding requests) and the "providers" as [name, "xml" or
// "text", path on the server or a file under tests/data]. A path answers as
// its last "answer" step says, or, as servers do to a request that carries
// the validator of what they would send now, "not modified". The
// transcript shows what each step changed: the providers, the fetcher's
// counts, whether a search for a feed runs, and the requests, notices,
// sounds and search outcomes since the step before. Addresses of the server
// read "{site}"; an address starting with "/" is on it.
class FetchWorld {
public:
    explicit FetchWorld(const QJsonObject& c) {
        BackgroundNotice::Forget();
        BackgroundNotice::SetSink([this](const QString& text) { notices.append(text); });
        const QJsonArray limits = c["limits"].toArray();
        fetcher = std::make_unique<FeedFetcher>(
            host, FeedFetcher::Limits{std::chrono::milliseconds(limits[0].toInt(60000)),
                                      limits[1].toInteger(qint64(16) << 20), limits[2].toInt(6),
                                      limits[3].toInt(30)});
        for (const QJsonValue& value : c["providers"].toArray())
            AddProvider(value.toArray());
    }
    ~FetchWorld() { BackgroundNotice::SetSink(nullptr); }

    QJsonValue Run(const QJsonArray& step) {
        const QString command = step[0].toString();
        Provider* provider =
            providers.contains(step[1].toString()) ? providers[step[1].toString()].get() : nullptr;
        if (command == "answer")
            Serve(step[1].toString().toUtf8(), Answer(step[2].toObject()));
        else if (command == "grab")
            fetcher->GrabStories(*provider);
        else if (command == "details")
            fetcher->GrabProviderDetails(*provider);
        else if (command == "settle") // without polling the pending slots
            WaitUntil([provider] { return provider->PendingOperations == 0; });
        else if (command == "settlePolling") // every provider
            SettlePolling();
        else if (command == "load")
            Load(*provider);
        else if (command == "cancel")
            provider->CancelPendingRequest();
        else if (command == "drop")
            providers.erase(step[1].toString());
        else if (command == "poll")
            fetcher->PollPendingRequests();
        else if (command == "discovery") // a new search, with the limit of each probe
            NewDiscovery(std::chrono::milliseconds(step[1].toInt()));
        else if (command == "start")
            Discovery().Start(Address(step[1].toString()));
        else if (command == "awaitOutcome")
            WaitUntil([this] { return !outcomes.isEmpty(); });
        else if (command == "awaitRequest")
            WaitUntil([this] { return server.Requests().size() > requestsSeen; });
        else if (command == "cancelSearch")
            Discovery().Cancel();
        else if (command == "dropSearch")
            discovery.reset();
        else if (command == "needsDetails")
            provider->NeedsDetails = true;
        else if (command == "rename")
            provider->ProviderName = step[2].toString();
        else if (command == "address")
            provider->DataURL = step[2].toString();
        else
            ADD_FAILURE() << "no step " << command.toStdString();
        return {};
    }

    QJsonObject Snapshot() {
        QJsonObject state{{"outstanding", fetcher->OutstandingRequestCount()},
                          {"pending", fetcher->PendingRequestCount()},
                          {"chars read", fetcher->CharsRead() > 0},
                          {"load states told", host.Recoloured},
                          {"sounds", QJsonArray::fromStringList(host.Sounds)},
                          {"searching", discovery && discovery->Running()}};
        for (const auto& [name, provider] : providers)
            state.insert("provider " + name, Line(*provider));
        QStringList requests;
        for (const TestHttpServer::Request& request : server.Requests().mid(requestsSeen))
            requests.append(RequestLine(request));
        requestsSeen = server.Requests().size();
        requests.sort(); // requests in parallel arrive in any order
        QJsonObject snapshot = Scenario::Changes(seen, state);
        if (!requests.isEmpty())
            snapshot.insert("requests", QJsonArray::fromStringList(requests));
        if (!notices.isEmpty())
            snapshot.insert("notices", QJsonArray::fromStringList(notices));
        if (!outcomes.isEmpty())
            snapshot.insert("search outcomes", QJsonArray::fromStringList(outcomes));
        notices.clear();
        outcomes.clear();
        return snapshot;
    }

private:
    void AddProvider(const QJsonArray& setup) {
        const QString path = setup[2].toString();
        auto provider = std::make_unique<Provider>();
        provider->ProviderName = setup[0].toString();
        provider->DataURL = path.startsWith(u'/')
                                ? Address(path)
                                : QUrl::fromLocalFile(TestData::Path(path)).toString();
        provider->RefreshMinutes = 60;
        provider->ArrivalSound = QStringLiteral("arrival.wav");
        provider->Stories = std::make_shared<StoryCollection>();
        if (setup[1].toString() == "text") {
            provider->SetIsTextFormat(true);
            provider->TextFormatSpec = QStringLiteral("00,01,T");
        }
        providers[setup[0].toString()] = std::move(provider);
    }

    void Serve(const QByteArray& path, const TestHttpServer::Response& current) {
        server.Serve(path, [current](const TestHttpServer::Request& request) {
            const QByteArray etag = current.Headers.value("ETag");
            if (etag.isEmpty() || request.Headers.value("if-none-match") != etag)
                return current;
            return TestHttpServer::Response{.Status = 304, .Headers = {{"ETag", etag}}};
        });
    }

    // An answer as TestHttpServer::FromJson reads it, with "rss" (its
    // titles), "lines" (of a text feed), a "file" under tests/data or a web
    // "page" with the alternate links given as [type, href, title] for the
    // body, or a "redirect" to a path.
    TestHttpServer::Response Answer(const QJsonObject& answer) const {
        TestHttpServer::Response response = TestHttpServer::FromJson(answer);
        if (answer.contains("rss"))
            response.Body = RssFeed::WithTitles(answer["rss"].toVariant().toStringList());
        if (answer.contains("lines"))
            response.Body = answer["lines"].toVariant().toStringList().join(u'\n').toUtf8() + '\n';
        if (answer.contains("file")) {
            response.Body = TestData::Read(answer["file"].toString());
            response.Headers.insert("Content-Type", "application/xml");
        }
        if (answer.contains("page")) {
            response.Body = Page(answer["page"].toArray());
            response.Headers.insert("Content-Type", "text/html");
        }
        if (answer.contains("redirect")) {
            response.Status = 301;
            response.Headers.insert("Location",
                                    server.Url(answer["redirect"].toString()).toString().toUtf8());
        }
        return response;
    }

    static QByteArray Page(const QJsonArray& links) {
        QByteArray head;
        for (const QJsonValue& link : links)
            head += "<link rel=\"alternate\" type=\"application/" + link[0].toString().toUtf8() +
                    "+xml\" href=\"" + link[1].toString().toUtf8() + "\" title=\"" +
                    link[2].toString().toUtf8() + "\">";
        return "<!DOCTYPE html><html><head><title>Site</title>" + head +
               "</head><body><p>Hello</p></body></html>";
    }

    QString Address(const QString& address) const {
        return address.startsWith(u'/') ? server.Url(address).toString() : address;
    }

    void NewDiscovery(std::chrono::milliseconds probe) {
        discovery =
            std::make_unique<FeedDiscovery>(FeedDiscovery::Limits{std::chrono::seconds(15), probe});
        QObject::connect(
            discovery.get(), &FeedDiscovery::Found, [this](const QList<FeedLink>& feeds) {
                QStringList found;
                for (const FeedLink& feed : feeds)
                    found.append(feed.Title + QStringLiteral(" <") + Local(feed.Address) + u'>');
                outcomes.append(QStringLiteral("found: ") + found.join(QStringLiteral(", ")));
            });
        QObject::connect(discovery.get(), &FeedDiscovery::Failed, [this](const QString& message) {
            outcomes.append(QStringLiteral("failed: ") + Local(message));
        });
    }

    FeedDiscovery& Discovery() {
        if (!discovery)
            NewDiscovery(FeedDiscovery::Limits{}.Probe);
        return *discovery;
    }

    // Text requests that wait for a slot move on only when polled.
    void SettlePolling() {
        WaitUntil([this] {
            fetcher->PollPendingRequests();
            return std::all_of(providers.cbegin(), providers.cend(), [](const auto& entry) {
                return entry.second->PendingOperations == 0;
            });
        });
    }

    void Load(Provider& provider) {
        fetcher->GrabStories(provider);
        SettlePolling();
    }

    QString Local(const QString& text) const {
        return QString(text).replace(server.Url(QString()).toString(QUrl::RemovePath),
                                     QStringLiteral("{site}"));
    }

    QJsonObject Line(const Provider& provider) const {
        static const QStringList states{"loaded", "new stories", "loading", "failed"};
        QStringList stories;
        for (const Story& story : *provider.Stories)
            stories.append(story.NewStory ? story.Title + QStringLiteral(" (new)") : story.Title);
        QJsonObject line{{"state", states.value(provider.LoadState)},
                         {"operations", provider.PendingOperations},
                         {"updates", QStringLiteral("%1 of %2")
                                         .arg(provider.SuccessfulUpdates)
                                         .arg(provider.AttemptedUpdates)},
                         {"due in", provider.MinutesToNextRefresh},
                         {"name", provider.ProviderName},
                         {"needs details", provider.NeedsDetails},
                         {"error told", provider.ErrorReported},
                         {"site", Local(provider.SiteURL)},
                         {"stories", QJsonArray::fromStringList(stories)}};
        if (provider.Stories->Count() > 0)
            line.insert("first link", Local(provider.Stories->ItemURL(1)));
        return line;
    }

    QString RequestLine(const TestHttpServer::Request& request) const {
        QString line = QString::fromUtf8(request.Path);
        if (!request.Headers.value("user-agent").startsWith("Varnocet/"))
            line += QStringLiteral(" from a stranger");
        const QByteArray validator = request.Headers.value("if-none-match");
        return validator.isEmpty() ? line : line + " if none match " + validator;
    }

    TestHttpServer server;
    RecordingHost host;
    std::unique_ptr<FeedFetcher> fetcher;
    std::map<QString, std::unique_ptr<Provider>> providers;
    QStringList notices;
    std::unique_ptr<FeedDiscovery> discovery;
    QStringList outcomes;
    qsizetype requestsSeen = 0;
    QJsonObject seen;
};

} // namespace

// Loads with their details, cancelled and lost providers, silent servers
// and oversized bodies, broken answers (which fail the load, keep the
// stories and tell the user why, naming the feed), validators (only an
// answer that was read is asked about again), redirects, compression,
// local files and text requests waiting for slots.
TEST(FeedFetcherTest, ScenariosGiveTheirTranscripts) {
    Scenario::Walk<FetchWorld>(QStringLiteral("cases/fetch-scenarios.json"),
                               QStringLiteral("retrieval_tests"));
}

// The feed of an address is found wherever the site keeps it: the address
// itself, the alternate links of its page (relative to the page reached
// after redirects), or the common places of feeds, each tried within its
// own short limit. A search started again or cancelled ends without a
// word, and one gone while a request runs leaves nothing to call back.
TEST(FeedDiscoveryTest, ScenariosGiveTheirTranscripts) {
    Scenario::Walk<FetchWorld>(QStringLiteral("cases/discovery-scenarios.json"),
                               QStringLiteral("retrieval_tests"));
}
