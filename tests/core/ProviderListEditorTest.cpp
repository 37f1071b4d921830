#include "core/ProviderListEditor.h"

#include "model/Provider.h"
#include "model/ProviderCollection.h"

#include "support/NamedProviders.h"

#include <gtest/gtest.h>

namespace {

using Selection = ProviderListEditor::Selection;
using Outcome = ProviderSubscription::Outcome;

const QStringList FiveNames{"A", "B", "C", "D", "E"};

struct MoveCase {
    Selection selection;
    bool canMoveUp;
    bool canMoveDown;
    QStringList afterUp;
    QStringList afterDown;
};

TEST(ProviderListEditorTest, MovesOnlyABlockWithRoomAndKeepsItSelected) {
    const std::vector<MoveCase> cases{
        {{}, false, false, FiveNames, FiveNames},
        {{1}, false, true, FiveNames, {"B", "A", "C", "D", "E"}},
        {{5}, true, false, {"A", "B", "C", "E", "D"}, FiveNames},
        {{2, 3}, true, true, {"B", "C", "A", "D", "E"}, {"A", "D", "B", "C", "E"}},
        {{1, 2, 3, 4, 5}, false, false, FiveNames, FiveNames},
        // Not one block: neither way.
        {{2, 4}, false, false, FiveNames, FiveNames},
    };
    for (const MoveCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "selection of " << c.selection.size());
        auto up = NamedProviders(FiveNames);
        ProviderListEditor upEditor(*up);
        EXPECT_EQ(upEditor.CanMoveUp(c.selection), c.canMoveUp);
        EXPECT_EQ(upEditor.CanMoveDown(c.selection), c.canMoveDown);
        const Selection movedUp = upEditor.MoveUp(c.selection);
        EXPECT_EQ(ProviderNames(*up), c.afterUp);

        auto down = NamedProviders(FiveNames);
        const Selection movedDown = ProviderListEditor(*down).MoveDown(c.selection);
        EXPECT_EQ(ProviderNames(*down), c.afterDown);

        // The selection follows the providers it held.
        for (qsizetype i = 0; i < c.selection.size(); ++i) {
            const QString name = FiveNames.at(c.selection.at(i) - 1);
            EXPECT_EQ(up->Item(movedUp.at(i))->ProviderName, name);
            EXPECT_EQ(down->Item(movedDown.at(i))->ProviderName, name);
        }
    }
}

TEST(ProviderListEditorTest, NothingMovesInAnEmptyList) {
    ProviderCollection empty;
    ProviderListEditor editor(empty);
    EXPECT_FALSE(editor.CanMoveUp({}));
    EXPECT_FALSE(editor.CanMoveDown({}));
}

TEST(ProviderListEditorTest, SortsTheWholeListOrTheBlockFromTheFirstSelected) {
    const QStringList names{"e", "D", "c", "B", "a"};
    struct Case {
        std::optional<Selection> selection; // none: the whole list
        QStringList expected;
    };
    const std::vector<Case> cases{
        {std::nullopt, {"a", "B", "c", "D", "e"}},
        // Three selected from the second on: positions 2 ... 4, whatever
        // else was selected.
        {Selection{2, 3, 5}, {"e", "B", "c", "D", "a"}},
        {Selection{}, names},
    };
    for (const Case& c : cases) {
        auto providers = NamedProviders(names);
        ProviderListEditor editor(*providers);
        if (c.selection)
            editor.SortSelected(*c.selection);
        else
            editor.Sort();
        EXPECT_EQ(ProviderNames(*providers), c.expected);
    }
}

TEST(ProviderListEditorTest, DeletesEverySelectedProvider) {
    auto providers = NamedProviders(FiveNames);
    ProviderListEditor(*providers).Delete({1, 3, 5});
    EXPECT_EQ(ProviderNames(*providers), (QStringList{"B", "D"}));
    ProviderListEditor(*providers).Delete({});
    EXPECT_EQ(ProviderNames(*providers), (QStringList{"B", "D"}));
}

TEST(ProviderListEditorTest, SwitchesEveryProviderOnOrOffAndCountsThem) {
    auto providers = NamedProviders(FiveNames);
    ProviderListEditor editor(*providers);
    providers->Item(2)->Active = false;
    EXPECT_EQ(ProviderListEditor::ProviderCountLabel(*providers),
              QStringLiteral("5 providers (4 active)"));
    editor.SetAllActive(false);
    EXPECT_EQ(ProviderListEditor::ProviderCountLabel(*providers),
              QStringLiteral("5 providers (0 active)"));
    editor.SetAllActive(true);
    EXPECT_EQ(ProviderListEditor::ProviderCountLabel(*providers),
              QStringLiteral("5 providers (5 active)"));
    EXPECT_EQ(ProviderListEditor::ProviderCountLabel(ProviderCollection()),
              QStringLiteral("0 providers (0 active)"));
}

TEST(ProviderListEditorTest, CountLabelsUseTheSingularForOneOnly) {
    const std::vector<std::pair<qsizetype, QString>> cases{
        {0, "(0 seconds)"}, {1, "(1 second)"}, {2, "(2 seconds)"}, {15, "(15 seconds)"}};
    for (const auto& [n, expected] : cases)
        EXPECT_EQ(
            ProviderListEditor::CountLabel(n, QStringLiteral("second"), QStringLiteral("seconds")),
            expected);
}

TEST(ProviderListEditorTest, QuestionsReadAsTheUserIsAsked) {
    EXPECT_EQ(ProviderListEditor::DeleteQuestion(0),
              QStringLiteral("Delete selected Headline Provider?"));
    EXPECT_EQ(ProviderListEditor::DeleteQuestion(1),
              QStringLiteral("Delete selected Headline Provider?"));
    EXPECT_EQ(ProviderListEditor::DeleteQuestion(3),
              QStringLiteral("Delete 3 selected Headline Providers?"));
    EXPECT_EQ(ProviderListEditor::InactiveCategoryQuestion(QStringLiteral("World/Europe")),
              QStringLiteral("The chosen category ('World/Europe') is not active. Do you want "
                             "to activate it?"));
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
    ProviderListEditor(*providers)
        .AssignCategory(*providers->Item(1), QStringLiteral("Sport/Golf"));
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
