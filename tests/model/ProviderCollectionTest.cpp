#include "model/ProviderCollection.h"
#include "model/PendingOperation.h"
#include "platform/HighResolutionCounter.h"
#include "platform/ProgramError.h"
#include "support/FiledProviders.h"
#include "support/NamedProviders.h"
#include "support/RecordingFetch.h"
#include "support/StatusRecorder.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

namespace {

std::shared_ptr<Provider> Named(const QString& name, const QString& category = QString()) {
    auto provider = std::make_shared<Provider>();
    provider->ProviderName = name;
    provider->DataURL = "http://feeds.example/" + name;
    provider->Category = category;
    return provider;
}

} // namespace

TEST(ProviderCollectionTest, AppendGivesAFreshRunTimeState) {
    ProviderCollection providers;
    auto provider = Named("A", "News/World");
    provider->PendingOperations = PendingOperation::StoriesAndDetails;
    provider->MinutesToNextRefresh = 9;
    provider->FirstInCategory = true;
    providers.Add(provider);
    ASSERT_NE(provider->stCollStories, nullptr);
    EXPECT_EQ(provider->stCollStories->Count(), 0);
    EXPECT_EQ(provider->PendingOperations, 0);
    EXPECT_EQ(provider->MinutesToNextRefresh, 0);
    EXPECT_FALSE(provider->FirstInCategory);
    // The category and its ancestors now exist, active and user-defined.
    ASSERT_EQ(providers.Categories().Count(), 2);
    EXPECT_TRUE(providers.Categories().Item(2)->UserDefined);
    EXPECT_EQ(providers.Categories().Item(2)->CategoryName, "News");
}

TEST(ProviderCollectionTest, PositionsOutsideTheCollectionThrow) {
    const auto providers = NamedProviders({"A"});
    EXPECT_THROW(providers->Item(0), ProgramError);
    EXPECT_THROW(providers->Item(-1), ProgramError);
    EXPECT_THROW(providers->Item(2), ProgramError);
    EXPECT_THROW(providers->Remove(2), ProgramError);
    EXPECT_THROW(providers->ObsoleteItem(1), ProgramError);
    EXPECT_THROW(providers->SortByName(1, 2), ProgramError);
}

TEST(ProviderCollectionTest, NameLookupsIgnoreLetterCaseAndURLAndCategoryLookupsDoNot) {
    ProviderCollection providers =
        FiledProviders({{"Alpha", "News"}, {"Beta", "News"}, {"ALPHA", "news"}});
    providers.Item(1)->Active = false;
    providers.Item(2)->UniqueID = 42;
    EXPECT_EQ(providers.LocateProvider("alpha"), 1);
    EXPECT_EQ(providers.LocateProviderAfter("alpha", 1), 3);
    EXPECT_EQ(providers.LocateProviderAfter("alpha", 3), -1);
    EXPECT_EQ(providers.LocateProviderByURL("http://feeds.example/Beta"), 2);
    EXPECT_EQ(providers.LocateProviderByURL("http://feeds.example/beta"), -1);
    EXPECT_EQ(providers.LocateProviderByUniqueID(42), 2);
    EXPECT_EQ(providers.LocateFirstProviderInCategory("News"), 1);
    EXPECT_EQ(providers.LocateLastProviderInCategory("News"), 2);
    EXPECT_EQ(providers.LocateFirstProviderInCategory("Missing"), -1);
    EXPECT_EQ(providers.LocateFirstActiveProviderInCategory("News"), providers.Item(2));
    EXPECT_TRUE(providers.CategoryHasActiveProviders("news"));
    EXPECT_FALSE(providers.CategoryHasActiveProviders("NEWS"));
}

TEST(ProviderCollectionTest, GenerateUniqueProviderNameIgnoresLetterCase) {
    EXPECT_EQ(ProviderCollection().GenerateUniqueProviderName(), "Provider1");
    EXPECT_EQ(NamedProviders({"Provider1", "PROVIDER2"})->GenerateUniqueProviderName(),
              "Provider3");
    EXPECT_EQ(NamedProviders({"provider1"})->GenerateUniqueProviderName(), "Provider2");
}

TEST(ProviderCollectionTest, BlocksMoveUpAndDownButNotPastEitherEnd) {
    const QStringList start = {"A", "B", "C", "D"};
    const auto providers = NamedProviders(start);
    providers->MoveProvidersUp(2, 2);
    EXPECT_EQ(ProviderNames(*providers), QStringList({"B", "C", "A", "D"}));
    providers->MoveProvidersDown(1, 2);
    EXPECT_EQ(ProviderNames(*providers), start);

    providers->MoveProvidersUp(1, 2);   // already at the top
    providers->MoveProvidersUp(3, 3);   // block runs past the end
    providers->MoveProvidersDown(3, 2); // nothing below
    providers->MoveProvidersDown(0, 1);
    EXPECT_EQ(ProviderNames(*providers), start);
}

TEST(ProviderCollectionTest, SortByNameUsesTheGapExchangeOrder) {
    for (const QStringList& row : TestData::Table("tables/provider_sort.tsv")) {
        const auto providers = NamedProviders(row[0].split(u'|'));
        providers->SortByName(row[1].toLongLong(), row[2].toLongLong());
        EXPECT_EQ(ProviderNames(*providers), row[3].split(u'|')) << row[0].toStdString();
    }
}

TEST(ProviderCollectionTest, SortByCategoryKeepsProvidersWithoutAPlace) {
    ProviderCollection providers =
        FiledProviders({{"loose", ""}, {"b1", "B"}, {"a1", "A"}, {"b2", "B"}});
    providers.Item(2)->Category = "Gone"; // no such category any more
    providers.Categories().SortByName(1, providers.Categories().Count());
    providers.SortByCategory();
    EXPECT_EQ(ProviderNames(providers), QStringList({"a1", "b2", "loose", "b1"}));
}

TEST(ProviderCollectionTest, FlagFirstInCategoryMarksTheFirstActiveAndClearFlagsResets) {
    ProviderCollection providers =
        FiledProviders({{"off", "A"}, {"on", "A"}, {"second", "A"}, {"b", "B"}});
    providers.Item(1)->Active = false;
    providers.FlagFirstInCategory();
    QList<bool> first;
    for (const auto& provider : providers)
        first.append(provider->FirstInCategory);
    EXPECT_EQ(first, QList<bool>({false, true, false, true}));
    providers.Item(1)->Renewed = true;
    providers.Item(1)->BrandNew = true;
    providers.ClearFlags();
    EXPECT_FALSE(providers.Item(1)->Renewed);
    EXPECT_FALSE(providers.Item(1)->BrandNew);
}

TEST(ProviderCollectionTest, AssignCategoryMovesTheCategoryAndItsDescendants) {
    ProviderCollection providers =
        FiledProviders({{"n", "News"}, {"t", "NEWS/Tech"}, {"l", "Newsletters"}, {"c", "news"}});
    EXPECT_EQ(providers.AssignCategory("News", "World"), 2);
    EXPECT_EQ(ProviderLines(providers),
              QStringList({"n: World", "t: World/Tech", "l: Newsletters", "c: news"}));
    EXPECT_TRUE(providers.Item(1)->UserCategory);
    EXPECT_FALSE(providers.Item(3)->UserCategory);
    EXPECT_GT(providers.Categories().LocateCategory("World/Tech"), 0);
    // "NEWS/Tech" lost its providers and went; "News" itself still holds "news".
    EXPECT_EQ(providers.Categories().LocateCategory("NEWS/Tech"), -1);
}

TEST(ProviderCollectionTest, RemoveEmptyCategoriesRemovesUserDefinedOnesToo) {
    ProviderCollection providers;
    providers.Categories().Add("Empty", true, true);
    providers.Categories().Add("A", true, false);
    providers.Add(Named("x", "A/B"));
    providers.RemoveEmptyCategories();
    EXPECT_EQ(providers.Categories().LocateCategory("Empty"), -1);
    EXPECT_GT(providers.Categories().LocateCategory("A"), 0);
    EXPECT_GT(providers.Categories().LocateCategory("A/B"), 0);
}

// Removing a provider (known by its unique ID) calls off its fetch, and so
// does cancelling the requests older than an age, and only those.
TEST(ProviderCollectionTest, RemovingAndCancellingCallOffOutstandingFetches) {
    const auto providers = NamedProviders({"A", "B", "C"});
    FetchLog a;
    FetchLog b;
    FetchLog c;
    providers->Item(1)->PendingOperations = PendingOperation::Details;
    providers->Item(1)->tStart = HighResolutionCounter::Value();
    providers->Item(1)->SetPendingFetch(std::make_unique<RecordingFetch>(a));
    providers->Item(2)->SetPendingFetch(std::make_unique<RecordingFetch>(b));
    providers->Item(3)->UniqueID = 7;
    providers->Item(3)->PendingOperations = PendingOperation::Stories;
    providers->Item(3)->SetPendingFetch(std::make_unique<RecordingFetch>(c));
    auto other = Named("Elsewhere");
    other->UniqueID = 7;
    providers->RemoveProvider(*other);
    EXPECT_EQ(ProviderNames(*providers), QStringList({"A", "B"}));
    EXPECT_EQ(c.CancelledOperations, PendingOperation::Stories);
    other->UniqueID = 8;
    providers->RemoveProvider(*other);
    EXPECT_EQ(providers->Count(), 2);

    providers->CancelPendingRequests(Currency::FromScaled(3600 * Currency::Scale));
    EXPECT_EQ(a.Cancels, 0); // started just now, not an hour ago
    providers->CancelPendingRequests(Currency::FromScaled(-Currency::Scale));
    EXPECT_EQ(a.CancelledOperations, PendingOperation::Details);
    EXPECT_EQ(providers->Item(1)->PendingOperations, 0);
    EXPECT_EQ(b.Cancels, 0); // nothing outstanding
}

// A settings dialog copies the list at each opening, and the issuing counter
// wraps: a new provider must still get an ID nobody holds, or removing it
// removes another.
TEST(ProviderCollectionTest, NewTemporaryIDsStayUniqueAfterManyCopiesAndTheCounterWrapping) {
    ProviderCollection providers;
    QSet<Long> held;
    for (int i = 0; i < 300; ++i) {
        auto provider = Named(QStringLiteral("User %1").arg(i));
        provider->UniqueID = Provider::NewUniqueProviderID();
        held.insert(providers.Add(provider, ProviderCollection::TemporaryID::Keep)->UniqueID);
    }
    ASSERT_EQ(held.size(), 300);
    for (int copies = 0; copies < 218; ++copies)
        EXPECT_EQ(providers.Copy(nullptr)->Item(300)->UniqueID, providers.Item(300)->UniqueID);
    // Walk the counter round until the IDs it issues next are held.
    const Long first = providers.Item(1)->UniqueID;
    while (Provider::NewUniqueProviderID() != first) {
    }

    auto added = Named("New");
    added->UniqueID = Provider::NewUniqueProviderID();
    providers.Add(added);
    EXPECT_FALSE(held.contains(added->UniqueID));
    providers.RemoveProvider(*added);
    ASSERT_EQ(providers.Count(), 300);
    for (const auto& provider : providers)
        EXPECT_TRUE(held.contains(provider->UniqueID));
}

TEST(ProviderCollectionTest, CopySharesStoriesAndLeavesObsoleteRecordsBehind) {
    ProviderCollection providers;
    providers.Version = 9;
    providers.AddObsolete(5);
    auto original = Named("A", "News");
    original->UniqueID = Provider::NewUniqueProviderID();
    providers.Add(original);
    original->stCollStories->Add("story", QString(), QString(), Date(), 0, true);

    StatusRecorder progress;
    const auto copy = providers.Copy(&progress);
    EXPECT_EQ(copy->Version, 0);
    EXPECT_EQ(copy->ObsoleteCount(), 0);
    ASSERT_EQ(copy->Count(), 1);
    const auto duplicate = copy->Item(1);
    EXPECT_NE(duplicate, original);
    EXPECT_EQ(duplicate->stCollStories, original->stCollStories);
    EXPECT_EQ(duplicate->UniqueID, original->UniqueID);
    EXPECT_EQ(progress.Statuses, QStringList({"Copying Categories...", "Copying Providers..."}));
    EXPECT_EQ(progress.Maximum, providers.Categories().Count() + 1);
    EXPECT_EQ(progress.Closes, 1);
}
