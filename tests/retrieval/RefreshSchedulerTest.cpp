#include "retrieval/RefreshScheduler.h"
#include "model/ProviderCollection.h"
#include "retrieval/AutoFlip.h"
#include "retrieval/FetchControl.h"
#include "retrieval/FlipHost.h"
#include "retrieval/ProgramFlags.h"
#include "retrieval/SchedulingPreferences.h"
#include "support/Scenario.h"
#include "support/TestData.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace {

// The scheduler and auto-flip over fake fetching and a fake program, which
// the world stands in for: the steps set what they ask, and the world
// records what they report. Without "providers" ([name, category] each) the
// list holds a and b under News, c and d under Tech, e under Hidden/Deep,
// which is active but hidden by its inactive parent; UniqueIDs are
// 1000 + position. A started fetch completes at once, so the provider is not
// due again until its refresh minutes have run down. The "setup" steps run
// before the transcript starts; "bundled" starts from the shipped list.
class FlipWorld : public FlipHost, public FetchControl {
public:
    explicit FlipWorld(const QJsonObject& c) {
        QObject::connect(
            &scheduler, &RefreshScheduler::ProviderChanged, &scheduler,
            [this](const Provider& provider) { changed.append(provider.ProviderName); });
        QObject::connect(&scheduler, &RefreshScheduler::BusyChanged, &scheduler,
                         [this](bool busy) { busyChanges.append(busy); });
        QObject::connect(&scheduler, &RefreshScheduler::UpdateCheckDue, &scheduler,
                         [this] { ++updateChecks; });
        QObject::connect(&flip, &AutoFlip::PlayCaptionChanged, &flip,
                         [this](const QString& text) { caption = text; });
        QObject::connect(&flip, &AutoFlip::PlayIconChanged, &flip,
                         [this](int imageIndex) { icon = imageIndex; });
        if (c["bundled"].toBool())
            Bundled();
        else if (c.contains("providers"))
            for (const QJsonValue& pair : c["providers"].toArray())
                Add(pair[0].toString(), pair[1].toString());
        else
            Standard();
        for (const QJsonValue& step : c["setup"].toArray())
            Run(step.toArray());
    }

    QJsonValue Run(const QJsonArray& step) {
        const QString command = step[0].toString();
        const int number = step[1].toInt(1);
        if (command == "poll")
            Repeat(number, [this] { scheduler.PollTick(); });
        else if (command == "update")
            Repeat(number, [this] { scheduler.UpdateTick(); });
        else if (command == "tick")
            Repeat(number, [this] { flip.Tick(); });
        else if (command == "next")
            Repeat(number, [this] { flip.NextProvider(); });
        else if (command == "previous")
            Repeat(number, [this] { flip.PreviousProvider(); });
        else if (command == "nextArticle")
            flip.ToNextArticle();
        else if (command == "resetFlip")
            flip.ResetFlipCountdown();
        else if (command == "queued") // the article steps auto-flip has queued
            QCoreApplication::sendPostedEvents();
        else if (command == "command")
            return flip.Command(step[1].toString());
        else if (command == "range")
            return Range(step[1].toInteger());
        else if (command == "nextIndex")
            return qint64(scheduler.NextBackgroundIndex(number, true));
        else if (command == "previousIndex")
            return qint64(scheduler.PreviousBackgroundIndex(number, true));
        else if (command == "set")
            Set(step[1].toString(), step[2]);
        else if (command == "provider")
            Set(*providers.Item(providers.LocateProvider(step[1].toString())), step[2].toString(),
                step[3]);
        else if (command == "add")
            Add(step[1].toString(), step[2].toString());
        else if (command == "moveUp")
            providers.MoveProvidersUp(number, step[2].toInt());
        else if (command == "activeNotFetched")
            return ActiveNotFetched();
        else
            ADD_FAILURE() << "no step " << command.toStdString();
        return {};
    }

    QJsonObject Snapshot() { return Scenario::Changes(seen, State()); }

    qsizetype CurrentProviderIndex() const override { return current; }
    QString CurrentCategory() const override { return category; }
    bool ShowCategories() const override { return categories; }
    int TreeSelectionValue() const override { return tree; }
    Long SelectedTreeProviderID() const override { return selected; }
    int SelectedArticleRow() const override { return row; }
    int ArticleRowCount() const override { return rows; }
    void SelectAndShowArticle(int selectedRow) override { row = selectedRow; }
    void ShowProvider(qsizetype index) override {
        shown.append(qint64(index));
        current = index;
    }

    void GrabStories(Provider& provider) override {
        fetched.append(provider.ProviderName);
        provider.MinutesToNextRefresh = provider.RefreshMinutes;
    }
    void PollPendingRequests() override { ++polls; }
    int PendingRequestCount() const override { return pending; }
    int OutstandingRequestCount() const override { return outstanding; }
    int MaxPendingRequests() const override { return 6; }
    int MaxOutstandingRequests() const override { return 30; }

private:
    void Add(const QString& name, const QString& path) {
        auto provider = std::make_shared<Provider>();
        provider->ProviderName = name;
        provider->Category = path;
        provider->UniqueID = 1001 + providers.Count();
        providers.Add(provider);
    }

    void Standard() {
        for (const char* name : {"a", "b"})
            Add(name, "News");
        for (const char* name : {"c", "d"})
            Add(name, "Tech");
        Add("e", "Hidden/Deep");
        CategoryCollection& tree = providers.Categories();
        tree.Item(tree.LocateCategory("Hidden"))->Active = false;
        tree.SortByName(1, tree.Count());
        tree.ComputeVisibility();
    }

    // The list as the program first starts: the bundled providers sorted by
    // category, the first category current and the tree hidden.
    void Bundled() {
        ASSERT_TRUE(providers.ReadFile(TestData::Bundled(QStringLiteral("Standard/bps_1.xml")),
                                       nullptr, false));
        CategoryCollection& tree = providers.Categories();
        tree.SortByName(1, tree.Count());
        tree.ComputeVisibility();
        providers.SortByCategory();
        categories = false;
        category = tree.Item(1)->CategoryName;
    }

    QJsonArray ActiveNotFetched() const {
        QJsonArray missed;
        for (const auto& provider : providers) {
            if (provider->Active && !fetched.contains(provider->ProviderName))
                missed.append(provider->ProviderName);
        }
        return missed;
    }

    static void Repeat(int count, const std::function<void()>& action) {
        for (int i = 0; i < count; ++i)
            action();
    }

    QJsonArray Range(Long mode) {
        scheduler.SetBackgroundRange(mode, false);
        return {qint64(scheduler.BackgroundFirst()), qint64(scheduler.BackgroundLast()),
                qint64(scheduler.BackgroundCursor())};
    }

    void Set(const QString& field, const QJsonValue& value) {
        if (field == "mode")
            preferences.backgroundUpdateMode = value.toInteger();
        else if (field == "checkForUpdates")
            preferences.CheckForUpdates = value.toBool();
        else if (field == "autoFlip")
            preferences.AutoFlip = value.toBool();
        else if (field == "interval")
            preferences.FlipInterval = value.toInt();
        else if (field == "flipProviders")
            preferences.FlipProviders = value.toBool();
        else if (field == "flipCategories")
            preferences.FlipCategories = value.toBool();
        else if (field == "current")
            current = value.toInteger();
        else if (field == "category")
            category = value.toString();
        else if (field == "categories")
            categories = value.toBool();
        else if (field == "tree")
            tree = value.toInt();
        else if (field == "selected")
            selected = providers.Item(providers.LocateProvider(value.toString()))->UniqueID;
        else if (field == "row")
            row = value.toInt();
        else if (field == "rows")
            rows = value.toInt();
        else if (field == "pending")
            pending = value.toInt();
        else if (field == "outstanding")
            outstanding = value.toInt();
        else if (field == "suspended")
            flags.Suspended = value.toBool();
        else if (field == "busy")
            flags.UserBusy = value.toBool();
        else
            ADD_FAILURE() << "no field " << field.toStdString();
    }

    static void Set(Provider& provider, const QString& field, const QJsonValue& value) {
        if (field == "active")
            provider.Active = value.toBool();
        else if (field == "minutes")
            provider.MinutesToNextRefresh = value.toInt();
        else if (field == "refresh")
            provider.RefreshMinutes = value.toInt();
        else if (field == "pending")
            provider.PendingOperations = value.toInt();
        else if (field == "loadState")
            provider.LoadState = value.toInteger();
        else
            ADD_FAILURE() << "no provider field " << field.toStdString();
    }

    QJsonObject State() const {
        QJsonObject due;
        QJsonObject operations;
        for (const auto& provider : providers) {
            due.insert(provider->ProviderName, provider->MinutesToNextRefresh);
            if (provider->PendingOperations != 0)
                operations.insert(provider->ProviderName, provider->PendingOperations);
        }
        return {{"fetched", QJsonArray::fromStringList(fetched)},
                {"polls", polls},
                {"cursor", qint64(scheduler.BackgroundCursor())},
                {"minutes to refresh", due},
                {"pending operations", operations},
                {"changed", QJsonArray::fromStringList(changed)},
                {"busy", busyChanges},
                {"update checks", updateChecks},
                {"update check in", scheduler.UpdateCheckCountdown()},
                {"caption", caption},
                {"icon", icon},
                {"flip in", flip.FlipCountdown()},
                {"interval", preferences.FlipInterval},
                {"flip providers", preferences.FlipProviders},
                {"shown", shown},
                {"current", qint64(current)},
                {"row", row}};
    }

    ProviderCollection providers;
    SchedulingPreferences preferences;
    ProgramFlags flags;
    RefreshScheduler scheduler{providers, *this, *this, preferences, flags};
    AutoFlip flip{providers, scheduler, *this, preferences, flags};

    qsizetype current = 0;
    QString category;
    bool categories = true;
    int tree = 1;
    Long selected = 0;
    int row = 0;
    int rows = 0;
    int pending = 0;
    int outstanding = 0;

    QStringList fetched;
    int polls = 0;
    QStringList changed;
    QJsonArray busyChanges;
    int updateChecks = 0;
    QString caption;
    int icon = -1;
    QJsonArray shown;
    QJsonObject seen;
};

} // namespace

// cases/scheduler-scenarios.json: the background range and cycle, what
// holds timed work back, the refresh and update-check countdowns, and
// auto-flip's commands, countdown and steps.
TEST(RefreshSchedulerTest, ScenariosGiveTheirTranscripts) {
    Scenario::Walk<FlipWorld>(QStringLiteral("cases/scheduler-scenarios.json"),
                              QStringLiteral("retrieval_tests"));
}
