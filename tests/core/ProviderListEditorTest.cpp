#include "core/ProviderListEditor.h"

#include "model/Provider.h"
#include "model/ProviderCollection.h"

#include "support/NamedProviders.h"

#include <gtest/gtest.h>

namespace {

using Selection = ProviderListEditor::Selection;
using Outcome = ProviderSubscription::Outcome;

const QStringList FiveNames{"A", "B", "C", "D", "E"};

// The list's names as one word: "ABCDE".
QString Order(const ProviderCollection& providers) {
    return ProviderNames(providers).join(QString());
}

TEST(ProviderListEditorTest, MovesOnlyABlockWithRoomAndKeepsItSelected) {
    const struct {
        Selection selection;
        bool canMoveUp;
        bool canMoveDown;
        const char* afterUp;
        const char* afterDown;
    } cases[] = {
        {{}, false, false, "ABCDE", "ABCDE"},
        {{1}, false, true, "ABCDE", "BACDE"},
        {{5}, true, false, "ABCED", "ABCDE"},
        {{2, 3}, true, true, "BCADE", "ADBCE"},
        {{1, 2, 3, 4, 5}, false, false, "ABCDE", "ABCDE"},
        {{2, 4}, false, false, "ABCDE", "ABCDE"}, // not one block: neither way
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.afterUp);
        auto up = NamedProviders(FiveNames);
        ProviderListEditor upEditor(*up);
        EXPECT_EQ(upEditor.CanMoveUp(c.selection), c.canMoveUp);
        EXPECT_EQ(upEditor.CanMoveDown(c.selection), c.canMoveDown);
        const Selection movedUp = upEditor.MoveUp(c.selection);
        EXPECT_EQ(Order(*up), c.afterUp);
        auto down = NamedProviders(FiveNames);
        const Selection movedDown = ProviderListEditor(*down).MoveDown(c.selection);
        EXPECT_EQ(Order(*down), c.afterDown);
        // The selection follows the providers it held.
        for (qsizetype i = 0; i < c.selection.size(); ++i) {
            const QString name = FiveNames.at(c.selection.at(i) - 1);
            EXPECT_EQ(up->Item(movedUp.at(i))->ProviderName, name);
            EXPECT_EQ(down->Item(movedDown.at(i))->ProviderName, name);
        }
    }
    ProviderCollection empty;
    EXPECT_FALSE(ProviderListEditor(empty).CanMoveUp({}));
    EXPECT_FALSE(ProviderListEditor(empty).CanMoveDown({}));
}

// The whole list, or as many as are selected from the first selected on,
// whatever else was selected.
TEST(ProviderListEditorTest, SortsTheWholeListOrTheBlockFromTheFirstSelected) {
    const struct {
        std::optional<Selection> selection; // none: the whole list
        const char* expected;
    } cases[] = {{std::nullopt, "aBcDe"}, {Selection{2, 3, 5}, "eBcDa"}, {Selection{}, "eDcBa"}};
    for (const auto& c : cases) {
        auto providers = NamedProviders({"e", "D", "c", "B", "a"});
        ProviderListEditor editor(*providers);
        if (c.selection)
            editor.SortSelected(*c.selection);
        else
            editor.Sort();
        EXPECT_EQ(Order(*providers), c.expected);
    }
}

TEST(ProviderListEditorTest, DeletesAndSwitchesEverySelectedProviderAndCountsThem) {
    auto providers = NamedProviders(FiveNames);
    ProviderListEditor editor(*providers);
    editor.Delete({1, 3, 5});
    editor.Delete({});
    EXPECT_EQ(Order(*providers), "BD");
    providers->Item(2)->Active = false;
    EXPECT_EQ(ProviderListEditor::ProviderCountLabel(*providers), "2 providers (1 active)");
    editor.SetAllActive(false);
    EXPECT_EQ(ProviderListEditor::ProviderCountLabel(*providers), "2 providers (0 active)");
    editor.SetAllActive(true);
    EXPECT_EQ(ProviderListEditor::ProviderCountLabel(*providers), "2 providers (2 active)");
    EXPECT_EQ(ProviderListEditor::ProviderCountLabel(ProviderCollection()),
              "0 providers (0 active)");
}

// The singular is for one only; the page asks the other questions.
TEST(ProviderListEditorTest, CountsUseTheSingularForOneOnly) {
    for (const auto& [n, expected] : std::vector<std::pair<qsizetype, QString>>{
             {0, "(0 seconds)"}, {1, "(1 second)"}, {2, "(2 seconds)"}, {15, "(15 seconds)"}})
        EXPECT_EQ(ProviderListEditor::CountLabel(n, "second", "seconds"), expected);
    EXPECT_EQ(ProviderListEditor::DeleteQuestion(1), "Delete selected Headline Provider?");
}

TEST(ProviderListEditorTest, SoundsInsideTheMediaFolderAreStoredBelowIt) {
    const QString media = QStringLiteral("/usr/share/sounds");
    const std::vector<std::pair<QString, QString>> cases{
        {"/usr/share/sounds/ding.wav", "ding.wav"},
        {"/usr/share/sounds/alarms/bell.wav", "alarms/bell.wav"},
        {"/usr/share/sounds2/ding.wav", "/usr/share/sounds2/ding.wav"},
        {"/home/user/ding.wav", "/home/user/ding.wav"},
    };
    for (const auto& [file, expected] : cases) {
        EXPECT_EQ(ProviderListEditor::ArrivalSoundName(file, media), expected);
        EXPECT_EQ(ProviderListEditor::ArrivalSoundName(file, media + u'/'), expected);
    }
    EXPECT_EQ(ProviderListEditor::ArrivalSoundName(QStringLiteral("/a.wav"), QString()),
              QStringLiteral("/a.wav"));
}

TEST(ProviderListEditorTest, ANewProviderIsNamedAndMadeByHand) {
    auto providers = NamedProviders({"Provider1"});
    ProviderListEditor editor(*providers);
    const ProviderSubscription::Result result =
        editor.New(QStringLiteral(" http://127.0.0.1/new "), QStringLiteral("Tech/Linux"));
    ASSERT_EQ(result.outcome, Outcome::Added);
    const Provider& provider = *providers->Item(2);
    EXPECT_EQ(result.provider.get(), &provider);
    EXPECT_EQ(provider.ProviderName, QStringLiteral("Provider2"));
    EXPECT_EQ(provider.DataURL, QStringLiteral("http://127.0.0.1/new"));
    EXPECT_EQ(provider.Category, QStringLiteral("Tech/Linux"));
    EXPECT_EQ(provider.Origin, 1);
    EXPECT_TRUE(provider.Active);
    EXPECT_EQ(provider.RefreshMinutes, 60);
    EXPECT_EQ(provider.BackColor, 0xFFFFFF);
    EXPECT_TRUE(provider.NeedsDetails);
    EXPECT_EQ(provider.LastUsed, Date::FromParts(2001, 1, 1));
    EXPECT_EQ(provider.Language, 1);
    EXPECT_TRUE(Provider::IsTemporaryID(provider.UniqueID));
    EXPECT_EQ(provider.AttemptedUpdates, 0);
    EXPECT_NE(providers->Categories().LocateCategory(QStringLiteral("Tech/Linux")), -1);
    EXPECT_TRUE(ProviderListEditor::WantsDetails(provider));
}

TEST(ProviderListEditorTest, ANewAddressTheListHasFindsThatProvider) {
    auto providers = NamedProviders(FiveNames);
    providers->Item(3)->Active = false;
    const ProviderSubscription::Result result =
        ProviderListEditor(*providers).New(QStringLiteral("http://127.0.0.1:9/C"), "News");
    EXPECT_EQ(result.outcome, Outcome::Found);
    EXPECT_EQ(result.provider, providers->Item(3));
    EXPECT_TRUE(result.provider->Active);
    EXPECT_EQ(providers->Count(), 5);
    EXPECT_EQ(
        ProviderListEditor(*providers).New(QStringLiteral("ftp://127.0.0.1/x"), "News").outcome,
        Outcome::Refused);
    EXPECT_EQ(providers->Count(), 5);
}

TEST(ProviderListEditorTest, AChosenCategoryIsTheUsersAndExists) {
    auto providers = NamedProviders({"A"});
    ProviderListEditor(*providers).AssignCategory(*providers->Item(1), "Sport/Golf");
    EXPECT_EQ(providers->Item(1)->Category, QStringLiteral("Sport/Golf"));
    EXPECT_TRUE(providers->Item(1)->UserCategory);
    EXPECT_NE(providers->Categories().LocateCategory(QStringLiteral("Sport")), -1);
}

TEST(ProviderListEditorTest, DetailsAreWantedOnlyWhileTheFeedHasToldNothing) {
    Provider provider;
    provider.NeedsDetails = true;
    EXPECT_TRUE(ProviderListEditor::WantsDetails(provider));
    provider.Description = QStringLiteral("news");
    EXPECT_FALSE(ProviderListEditor::WantsDetails(provider));
    provider.Description.clear();
    provider.NeedsDetails = false;
    EXPECT_FALSE(ProviderListEditor::WantsDetails(provider));
}

} // namespace
