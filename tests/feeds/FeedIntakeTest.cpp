// How a provider takes in what a fetch brought, as scenarios: every case of
// data/cases/feed-intake.json is a provider taking in one answer a step (an
// RSS feed of titles, a document, a file of data/, a text feed or a details
// answer), each step followed by the state it must leave: the stories and
// which of them are new, the load state, the statistics, the operations
// outstanding, and what the program was told (sounds and notices since the
// step before, counts of completions, replacements and recolourings).
#include "feeds/FeedIntake.h"
#include "feeds/FeedFormat.h"
#include "model/PendingOperation.h"
#include "model/Provider.h"
#include "platform/BackgroundNotice.h"
#include "platform/Clock.h"
#include "platform/XmlDocument.h"
#include "support/GoldenFile.h"
#include "support/RecordingHost.h"
#include "support/RssFeed.h"
#include "support/Scenario.h"
#include "support/StoryTitles.h"
#include "support/TestData.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QStringList>

#include <gtest/gtest.h>

#include <memory>

namespace {

class FeedIntakeTest : public ::testing::Test {
protected:
    void SetUp() override {
        Clock::SetNow(QDateTime(QDate(2026, 1, 5), QTime(12, 0), Qt::UTC));
        BackgroundNotice::Forget();
        BackgroundNotice::SetSink([this](const QString& text) { notices.append(text); });
    }
    void TearDown() override {
        BackgroundNotice::SetSink(nullptr);
        BackgroundNotice::Forget();
        Clock::ResetNow();
    }

    void Start() {
        provider = std::make_unique<Provider>();
        provider->Stories = std::make_shared<StoryCollection>();
        provider->RefreshMinutes = 90;
        provider->ArrivalSound = QStringLiteral("ding.wav");
        environment = RecordingHost();
        environment.Counter = Currency::FromScaled(2'500'000'000);
        notices.clear();
    }

    void Set(const QJsonObject& values) {
        if (values.contains("name"))
            provider->ProviderName = values["name"].toString();
        if (values.contains("url"))
            provider->DataURL = values["url"].toString();
        if (values.contains("textSpec")) {
            provider->SetIsTextFormat(true);
            provider->TextFormatSpec = values["textSpec"].toString();
        }
        if (values.contains("needsDetails"))
            provider->NeedsDetails = values["needsDetails"].toBool();
        if (values.contains("pending"))
            provider->PendingOperations = values["pending"].toInt();
        if (values.contains("highlight"))
            environment.Highlight = values["highlight"].toBool();
    }

    // One stories fetch of `bytes` as the document would finish it.
    void Complete(const QByteArray& bytes, XmlDocument::Malformed malformed) {
        provider->PendingOperations = PendingOperation::Stories;
        provider->LoadState = LoadState::Loading;
        provider->tStart = Currency::FromScaled(1'000'000'000);
        XmlDocument document;
        document.LoadXML(bytes, malformed);
        FeedIntake::GrabStoriesXMLComplete(*provider, document, environment);
    }

    void Take(const QJsonObject& step) {
        Set(step["set"].toObject());
        const auto malformed = step["recover"].toBool() ? XmlDocument::Malformed::Recover
                                                        : XmlDocument::Malformed::Refuse;
        if (step.contains("rss"))
            Complete(RssFeed::WithTitles(step["rss"].toVariant().toStringList()), malformed);
        if (step.contains("xml"))
            Complete(step["xml"].toString().toUtf8(), malformed);
        if (step.contains("file"))
            Complete(TestData::Read(step["file"].toString()), malformed);
        if (step.contains("text")) {
            provider->PendingOperations = PendingOperation::Stories;
            FeedIntake::GrabStoriesTextFinish(*provider, step["status"].toInt(),
                                              step["text"].toString(), environment);
        }
        if (step.contains("detailsXml")) {
            XmlDocument document;
            document.LoadXML(step["detailsXml"].toString().toUtf8());
            FeedIntake::GrabProviderDetailsXMLComplete(*provider, document, environment);
        }
        if (step.contains("detailsText"))
            FeedIntake::GrabProviderDetailsTextFinish(*provider, step["detailsText"].toInt());
    }

    // What the step left, and what was said since the step before.
    QJsonObject Snapshot() {
        QStringList fresh;
        QStringList links;
        for (qsizetype index = 1; index <= provider->Stories->Count(); ++index) {
            if (provider->Stories->Item(index).NewStory)
                fresh.append(provider->Stories->Item(index).Title);
            links.append(provider->Stories->ItemURL(index));
        }
        const QJsonObject snapshot{
            {"titles", QJsonArray::fromStringList(StoryTitles(*provider->Stories))},
            {"new", QJsonArray::fromStringList(fresh)},
            {"links", QJsonArray::fromStringList(links)},
            {"loadState", provider->LoadState},
            {"dataType", provider->DataType},
            {"successful", provider->SuccessfulUpdates},
            {"lastDuration", provider->LastLoadDuration.Scaled()},
            {"totalDuration", provider->TotalLoadDuration.Scaled()},
            {"nextRefresh", provider->MinutesToNextRefresh},
            {"pending", provider->PendingOperations},
            {"needsDetails", provider->NeedsDetails},
            {"name", provider->ProviderName},
            {"sounds", QJsonArray::fromStringList(environment.Sounds)},
            {"notices", QJsonArray::fromStringList(notices)},
            {"completed", environment.Completed},
            {"replaced", environment.Replaced},
            {"recoloured", environment.Recoloured}};
        environment.Sounds.clear();
        notices.clear();
        return snapshot;
    }

    std::unique_ptr<Provider> provider;
    RecordingHost environment;
    QStringList notices;
};

} // namespace

TEST_F(FeedIntakeTest, EveryScenarioLeavesTheStateItExpects) {
    Scenario::WalkExpecting(
        QStringLiteral("cases/feed-intake.json"), [this] { Start(); },
        [this](const QJsonObject& step) { Take(step); }, [this] { return Snapshot(); });
}
