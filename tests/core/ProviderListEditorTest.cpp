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

// "2,3,5": those positions.
Selection Positions(const QString& text) {
    Selection selection;
    for (const QString& position : text.split(u',', Qt::SkipEmptyParts))
        selection.append(position.toInt());
    return selection;
}

// data/tables/provider-moves.tsv
TEST(ProviderListEditorTest, MovesOnlyABlockWithRoomAndKeepsItSelected) {
    for (const QStringList& c : TestData::Table(QStringLiteral("tables/provider-moves.tsv"))) {
        SCOPED_TRACE(c[0].toStdString());
        const Selection selection = Positions(c[0]);
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

// data/tables/provider-sorts.tsv
TEST(ProviderListEditorTest, SortsTheWholeListOrTheBlockFromTheFirstSelected) {
    for (const QStringList& c : TestData::Table(QStringLiteral("tables/provider-sorts.tsv"))) {
        auto providers = NamedProviders({"e", "D", "c", "B", "a"});
        ProviderListEditor editor(*providers);
        if (c[0] == u"all")
            editor.Sort();
        else
            editor.SortSelected(Positions(c[0]));
        EXPECT_EQ(Order(*providers), c[1]);
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

// A new address becomes a provider named after its place in the list; an
// address the list has finds that provider and makes it active again.
TEST(ProviderListEditorTest, ANewProviderIsNamedAndMadeByHand) {
    auto providers = NamedProviders({"Provider1"});
    providers->Item(1)->Active = false;
    ProviderListEditor editor(*providers);
    const ProviderSubscription::Result result =
        editor.New(QStringLiteral(" http://127.0.0.1/new "), QStringLiteral("Tech/Linux"));
    ASSERT_EQ(result.outcome, Outcome::Added);
    Provider& provider = *providers->Item(2);
    EXPECT_EQ(result.provider.get(), &provider);
    EXPECT_EQ(QStringLiteral("%1 %2 @%3 origin %4 active %5 every %6 colour %7 needs details %8 "
                             "last used %9 language %10 attempted %11")
                  .arg(provider.ProviderName, provider.DataURL, provider.Category)
                  .arg(provider.Origin)
                  .arg(provider.Active)
                  .arg(provider.RefreshMinutes)
                  .arg(provider.BackColor, 0, 16)
                  .arg(provider.NeedsDetails)
                  .arg(provider.LastUsed.ToQDate().toString(Qt::ISODate))
                  .arg(provider.Language)
                  .arg(provider.AttemptedUpdates),
              "Provider2 http://127.0.0.1/new @Tech/Linux origin 1 active 1 every 60 colour ffffff "
              "needs details 1 last used 2001-01-01 language 1 attempted 0");
    EXPECT_TRUE(Provider::IsTemporaryID(provider.UniqueID));
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

    const auto found = editor.New(QStringLiteral("http://127.0.0.1:9/Provider1"), "News");
    EXPECT_EQ(found.outcome, Outcome::Found);
    EXPECT_EQ(found.provider, providers->Item(1));
    EXPECT_TRUE(found.provider->Active);
    EXPECT_EQ(editor.New(QStringLiteral("ftp://127.0.0.1/x"), "News").outcome, Outcome::Refused);
    EXPECT_EQ(providers->Count(), 2);
}

} // namespace
