#include "core/ProviderListEditor.h"

#include "model/Provider.h"
#include "model/ProviderCollection.h"

#include "support/NamedProviders.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

namespace {

using Selection = ProviderListEditor::Selection;
using Outcome = ProviderSubscription::Outcome;

const QStringList FiveNames{"A", "B", "C", "D", "E"};

// The list's names as one word: "ABCDE".
QString Order(const ProviderCollection& providers) {
    return ProviderNames(providers).join(QString());
}

// data/tables/provider-moves.tsv
TEST(ProviderListEditorTest, MovesOnlyABlockWithRoomAndKeepsItSelected) {
    for (const QStringList& c : TestData::Table(QStringLiteral("tables/provider-moves.tsv"))) {
        SCOPED_TRACE(c[0].toStdString());
        Selection selection;
        for (const QString& position : c[0].split(u',', Qt::SkipEmptyParts))
            selection.append(position.toInt());
        auto up = NamedProviders(FiveNames);
        ProviderListEditor upEditor(*up);
        EXPECT_EQ(upEditor.CanMoveUp(selection), c[1] == "yes");
        EXPECT_EQ(upEditor.CanMoveDown(selection), c[2] == "yes");
        const Selection movedUp = upEditor.MoveUp(selection);
        EXPECT_EQ(Order(*up), c[3]);
        auto down = NamedProviders(FiveNames);
        const Selection movedDown = ProviderListEditor(*down).MoveDown(selection);
        EXPECT_EQ(Order(*down), c[4]);
        // The selection follows the providers it held.
        for (qsizetype i = 0; i < selection.size(); ++i) {
            const QString name = FiveNames.at(selection.at(i) - 1);
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
    for (const QStringList& c : TestData::Table(QStringLiteral("tables/arrival-sounds.tsv"))) {
        EXPECT_EQ(ProviderListEditor::ArrivalSoundName(c[0], media), c[1]);
        EXPECT_EQ(ProviderListEditor::ArrivalSoundName(c[0], media + u'/'), c[1]);
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
    Provider& provider = *providers->Item(2);
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
    // Details are wanted only while the feed has told nothing.
    EXPECT_TRUE(ProviderListEditor::WantsDetails(provider));
    provider.Description = QStringLiteral("news");
    EXPECT_FALSE(ProviderListEditor::WantsDetails(provider));
    provider.Description.clear();
    provider.NeedsDetails = false;
    EXPECT_FALSE(ProviderListEditor::WantsDetails(provider));
    // A category chosen later is the user's, and exists.
    editor.AssignCategory(provider, "Sport/Golf");
    EXPECT_EQ(provider.Category, QStringLiteral("Sport/Golf"));
    EXPECT_TRUE(provider.UserCategory);
    EXPECT_NE(providers->Categories().LocateCategory(QStringLiteral("Sport")), -1);
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

} // namespace
