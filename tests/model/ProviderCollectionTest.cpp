#include "model/ProviderCollection.h"
#include "model/ProgressReporter.h"
#include "platform/HighResolutionCounter.h"
#include "platform/ProgramError.h"

#include <gtest/gtest.h>

namespace {

std::shared_ptr<Provider> Named(const QString& name, const QString& category = QString(),
                                bool active = true) {
    auto provider = std::make_shared<Provider>();
    provider->ProviderName = name;
    provider->DataURL = QStringLiteral("http://feeds.example/") + name;
    provider->Category = category;
    provider->Active = active;
    return provider;
}

ProviderCollection Of(const QStringList& names) {
    ProviderCollection providers;
    for (const QString& name : names)
        providers.Add(Named(name));
    return providers;
}

QStringList Names(const ProviderCollection& providers) {
    QStringList names;
    for (const auto& provider : providers)
        names.append(provider->ProviderName);
    return names;
}

class RecordingFetch : public PendingFetch {
public:
    explicit RecordingFetch(int* cancelled)
        : m_cancelled(cancelled) {}
    void Cancel(int cancelledOperations) override { *m_cancelled = cancelledOperations; }

private:
    int* m_cancelled;
};

class RecordingProgress : public ProgressReporter {
public:
    void SetStatus(const QString& text) override { Statuses.append(text); }
    void OpenProgress(int maximum) override { Maximum = maximum; }
    void UpdateProgress(int value) override { Last = value; }
    void CloseProgress() override { Closed = true; }

    QStringList Statuses;
    int Maximum = -1;
    int Last = -1;
    bool Closed = false;
};

} // namespace

TEST(ProviderCollectionTest, AppendGivesAFreshRunTimeState) {
    ProviderCollection providers;
    auto provider = Named(QStringLiteral("A"), QStringLiteral("News/World"));
    provider->PendingOperations = 3;
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
    EXPECT_EQ(providers.Categories().Item(2)->CategoryName, QStringLiteral("News"));
}

TEST(ProviderCollectionTest, TemporaryIDsAreReissuedAndOthersKept) {
    ProviderCollection providers;
    auto temporary = Named(QStringLiteral("T"));
    temporary->UniqueID = Provider::NewUniqueProviderID();
    const Long issued = temporary->UniqueID;
    auto permanent = Named(QStringLiteral("P"));
    permanent->UniqueID = 4711;
    auto none = Named(QStringLiteral("N"));
    providers.Add(temporary);
    providers.Add(permanent);
    providers.Add(none);
    EXPECT_TRUE(Provider::IsTemporaryID(temporary->UniqueID));
    EXPECT_NE(temporary->UniqueID, issued);
    EXPECT_EQ(permanent->UniqueID, 4711);
    EXPECT_EQ(none->UniqueID, 0);
}

TEST(ProviderCollectionTest, PositionsOutsideTheCollectionThrow) {
    ProviderCollection providers = Of({QStringLiteral("A")});
    EXPECT_THROW(providers.Item(0), ProgramError);
    EXPECT_THROW(providers.Item(-1), ProgramError);
    EXPECT_THROW(providers.Item(2), ProgramError);
    EXPECT_THROW(providers.Remove(2), ProgramError);
    EXPECT_THROW(providers.ObsoleteItem(1), ProgramError);
    EXPECT_THROW(providers.SortByName(1, 2), ProgramError);
}

TEST(ProviderCollectionTest, Lookups) {
    ProviderCollection providers;
    providers.Add(Named(QStringLiteral("Alpha"), QStringLiteral("News"), false));
    providers.Add(Named(QStringLiteral("Beta"), QStringLiteral("News")));
    providers.Add(Named(QStringLiteral("ALPHA"), QStringLiteral("news")));
    providers.Item(2)->UniqueID = 42;
    EXPECT_EQ(providers.LocateProvider(QStringLiteral("alpha")), 1);
    EXPECT_EQ(providers.LocateProviderAfter(QStringLiteral("alpha"), 1), 3);
    EXPECT_EQ(providers.LocateProviderAfter(QStringLiteral("alpha"), 3), -1);
    EXPECT_EQ(providers.LocateProviderByURL(QStringLiteral("http://feeds.example/Beta")), 2);
    EXPECT_EQ(providers.LocateProviderByURL(QStringLiteral("http://feeds.example/beta")), -1);
    EXPECT_EQ(providers.LocateProviderByUniqueID(42), 2);
    EXPECT_EQ(providers.LocateFirstProviderInCategory(QStringLiteral("News")), 1);
    EXPECT_EQ(providers.LocateLastProviderInCategory(QStringLiteral("News")), 2);
    EXPECT_EQ(providers.LocateFirstProviderInCategory(QStringLiteral("Missing")), -1);
    EXPECT_EQ(providers.LocateFirstActiveProviderInCategory(QStringLiteral("News")),
              providers.Item(2));
    EXPECT_TRUE(providers.CategoryHasActiveProviders(QStringLiteral("news")));
    EXPECT_FALSE(providers.CategoryHasActiveProviders(QStringLiteral("NEWS")));
}

TEST(ProviderCollectionTest, RemoveProviderCancelsItsFetch) {
    ProviderCollection providers = Of({QStringLiteral("A"), QStringLiteral("B")});
    providers.Item(2)->UniqueID = 7;
    int cancelled = 0;
    providers.Item(2)->PendingOperations = 1;
    providers.Item(2)->SetPendingFetch(std::make_unique<RecordingFetch>(&cancelled));
    auto other = Named(QStringLiteral("Elsewhere"));
    other->UniqueID = 7;
    providers.RemoveProvider(*other);
    EXPECT_EQ(Names(providers), QStringList{QStringLiteral("A")});
    EXPECT_EQ(cancelled, 1);
    other->UniqueID = 8;
    providers.RemoveProvider(*other);
    EXPECT_EQ(providers.Count(), 1);
}

TEST(ProviderCollectionTest, GenerateUniqueProviderNameIgnoresLetterCase) {
    EXPECT_EQ(ProviderCollection().GenerateUniqueProviderName(), QStringLiteral("Provider1"));
    EXPECT_EQ(
        Of({QStringLiteral("Provider1"), QStringLiteral("PROVIDER2")}).GenerateUniqueProviderName(),
        QStringLiteral("Provider3"));
    EXPECT_EQ(Of({QStringLiteral("provider1")}).GenerateUniqueProviderName(),
              QStringLiteral("Provider2"));
}

TEST(ProviderCollectionTest, MovingBlocks) {
    const QStringList start = {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"),
                               QStringLiteral("D")};
    ProviderCollection providers = Of(start);
    providers.MoveProvidersUp(2, 2);
    EXPECT_EQ(Names(providers), QStringList({QStringLiteral("B"), QStringLiteral("C"),
                                             QStringLiteral("A"), QStringLiteral("D")}));
    providers.MoveProvidersDown(1, 2);
    EXPECT_EQ(Names(providers), start);

    providers.MoveProvidersUp(1, 2);   // already at the top
    providers.MoveProvidersUp(3, 3);   // block runs past the end
    providers.MoveProvidersDown(3, 2); // nothing below
    providers.MoveProvidersDown(0, 1);
    EXPECT_EQ(Names(providers), start);
}

TEST(ProviderCollectionTest, SortByNameUsesTheGapExchangeOrder) {
    ProviderCollection three =
        Of({QStringLiteral("beta"), QStringLiteral("Alpha"), QStringLiteral("alpha")});
    three.SortByName(1, three.Count());
    EXPECT_EQ(Names(three), QStringList({QStringLiteral("Alpha"), QStringLiteral("alpha"),
                                         QStringLiteral("beta")}));
    // The wide first gap carries "A" past "a": the order is not a stable sort's.
    ProviderCollection four =
        Of({QStringLiteral("c"), QStringLiteral("a"), QStringLiteral("A"), QStringLiteral("b")});
    four.SortByName(1, four.Count());
    EXPECT_EQ(Names(four), QStringList({QStringLiteral("A"), QStringLiteral("a"),
                                        QStringLiteral("b"), QStringLiteral("c")}));
}

TEST(ProviderCollectionTest, SortByNameOfARange) {
    ProviderCollection providers =
        Of({QStringLiteral("z"), QStringLiteral("c"), QStringLiteral("b"), QStringLiteral("a")});
    providers.SortByName(2, 2);
    EXPECT_EQ(Names(providers), QStringList({QStringLiteral("z"), QStringLiteral("b"),
                                             QStringLiteral("c"), QStringLiteral("a")}));
}

TEST(ProviderCollectionTest, SortByCategoryKeepsProvidersWithoutAPlace) {
    ProviderCollection providers;
    providers.Add(Named(QStringLiteral("loose"), QString()));
    providers.Add(Named(QStringLiteral("b1"), QStringLiteral("B")));
    providers.Add(Named(QStringLiteral("a1"), QStringLiteral("A")));
    providers.Add(Named(QStringLiteral("b2"), QStringLiteral("B")));
    providers.Item(2)->Category = QStringLiteral("Gone"); // no such category any more
    providers.Categories().SortByName(1, providers.Categories().Count());
    providers.SortByCategory();
    EXPECT_EQ(Names(providers), QStringList({QStringLiteral("a1"), QStringLiteral("b2"),
                                             QStringLiteral("loose"), QStringLiteral("b1")}));
}

TEST(ProviderCollectionTest, FlagFirstInCategoryMarksTheFirstActive) {
    ProviderCollection providers;
    providers.Add(Named(QStringLiteral("off"), QStringLiteral("A"), false));
    providers.Add(Named(QStringLiteral("on"), QStringLiteral("A")));
    providers.Add(Named(QStringLiteral("second"), QStringLiteral("A")));
    providers.Add(Named(QStringLiteral("b"), QStringLiteral("B")));
    providers.FlagFirstInCategory();
    EXPECT_FALSE(providers.Item(1)->FirstInCategory);
    EXPECT_TRUE(providers.Item(2)->FirstInCategory);
    EXPECT_FALSE(providers.Item(3)->FirstInCategory);
    EXPECT_TRUE(providers.Item(4)->FirstInCategory);
}

TEST(ProviderCollectionTest, ClearFlags) {
    ProviderCollection providers = Of({QStringLiteral("A")});
    providers.Item(1)->Renewed = true;
    providers.Item(1)->BrandNew = true;
    providers.ClearFlags();
    EXPECT_FALSE(providers.Item(1)->Renewed);
    EXPECT_FALSE(providers.Item(1)->BrandNew);
}

TEST(ProviderCollectionTest, AssignCategoryMovesTheCategoryAndItsDescendants) {
    ProviderCollection providers;
    providers.Add(Named(QStringLiteral("n"), QStringLiteral("News")));
    providers.Add(Named(QStringLiteral("t"), QStringLiteral("NEWS/Tech")));
    providers.Add(Named(QStringLiteral("l"), QStringLiteral("Newsletters")));
    providers.Add(Named(QStringLiteral("c"), QStringLiteral("news")));
    EXPECT_EQ(providers.AssignCategory(QStringLiteral("News"), QStringLiteral("World")), 2);
    EXPECT_EQ(providers.Item(1)->Category, QStringLiteral("World"));
    EXPECT_EQ(providers.Item(2)->Category, QStringLiteral("World/Tech"));
    EXPECT_EQ(providers.Item(3)->Category, QStringLiteral("Newsletters"));
    EXPECT_EQ(providers.Item(4)->Category, QStringLiteral("news"));
    EXPECT_TRUE(providers.Item(1)->UserCategory);
    EXPECT_FALSE(providers.Item(3)->UserCategory);
    EXPECT_GT(providers.Categories().LocateCategory(QStringLiteral("World/Tech")), 0);
    // "NEWS/Tech" lost its providers and went; "News" itself still holds "news".
    EXPECT_EQ(providers.Categories().LocateCategory(QStringLiteral("NEWS/Tech")), -1);
}

TEST(ProviderCollectionTest, RemoveEmptyCategoriesRemovesUserDefinedOnesToo) {
    ProviderCollection providers;
    providers.Categories().Add(QStringLiteral("Empty"), true, true);
    providers.Categories().Add(QStringLiteral("A"), true, false);
    providers.Add(Named(QStringLiteral("x"), QStringLiteral("A/B")));
    providers.RemoveEmptyCategories();
    EXPECT_EQ(providers.Categories().LocateCategory(QStringLiteral("Empty")), -1);
    EXPECT_GT(providers.Categories().LocateCategory(QStringLiteral("A")), 0);
    EXPECT_GT(providers.Categories().LocateCategory(QStringLiteral("A/B")), 0);
}

TEST(ProviderCollectionTest, CancelPendingRequestsByAge) {
    ProviderCollection providers = Of({QStringLiteral("A"), QStringLiteral("B")});
    int cancelledA = 0;
    int cancelledB = 0;
    providers.Item(1)->PendingOperations = 2;
    providers.Item(1)->tStart = HighResolutionCounter::Value();
    providers.Item(1)->SetPendingFetch(std::make_unique<RecordingFetch>(&cancelledA));
    providers.Item(2)->SetPendingFetch(std::make_unique<RecordingFetch>(&cancelledB));
    providers.CancelPendingRequests(Currency::FromScaled(3600 * Currency::Scale));
    EXPECT_EQ(cancelledA, 0); // started just now, not an hour ago
    providers.CancelPendingRequests(Currency::FromScaled(-Currency::Scale));
    EXPECT_EQ(cancelledA, 2);
    EXPECT_EQ(providers.Item(1)->PendingOperations, 0);
    EXPECT_EQ(cancelledB, 0); // nothing outstanding
}

TEST(ProviderCollectionTest, CopySharesStoriesAndLeavesObsoleteRecordsBehind) {
    ProviderCollection providers;
    providers.Version = 9;
    providers.AddObsolete(5);
    providers.Categories().Add(QStringLiteral("Kept"), false, true);
    auto original = Named(QStringLiteral("A"), QStringLiteral("News"));
    original->Description = QStringLiteral("desc");
    original->AttemptedUpdates = 4;
    original->UniqueID = Provider::NewUniqueProviderID();
    providers.Add(original);
    original->stCollStories->Add(QStringLiteral("story"), QString(), QString(), Date(), 0, true);

    RecordingProgress progress;
    const auto copy = providers.Copy(&progress);
    EXPECT_EQ(copy->Version, 0);
    EXPECT_EQ(copy->ObsoleteCount(), 0);
    ASSERT_EQ(copy->Count(), 1);
    const auto duplicate = copy->Item(1);
    EXPECT_NE(duplicate, original);
    EXPECT_EQ(duplicate->stCollStories, original->stCollStories);
    EXPECT_EQ(duplicate->Description, QStringLiteral("desc"));
    EXPECT_EQ(duplicate->AttemptedUpdates, 4);
    EXPECT_NE(duplicate->UniqueID, original->UniqueID);
    EXPECT_FALSE(copy->Categories().Item(1)->Active);
    EXPECT_EQ(progress.Statuses, QStringList({QStringLiteral("Copying Categories..."),
                                              QStringLiteral("Copying Providers...")}));
    EXPECT_EQ(progress.Maximum, providers.Categories().Count() + 1);
    EXPECT_TRUE(progress.Closed);
}
