#include "core/CategoryEditor.h"
#include "support/FiledProviders.h"
#include "support/TestData.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QMap>

#include <gtest/gtest.h>

using Outcome = CategoryEditor::DeleteResult::Outcome;
using RenameResult = CategoryEditor::RenameResult;

namespace {

// Two levels with a provider each, an empty category of the user's and a
// switched-off branch.
ProviderCollection Sample() {
    ProviderCollection providers = FiledProviders(
        {{"n", "News"}, {"t", "News/Tech"}, {"s", "Sports"}, {"o", "Old/Gone"}}, {"Empty"});
    providers.Categories().Item(providers.Categories().LocateCategory("Old"))->Active = false;
    providers.Categories().ComputeVisibility();
    return providers;
}

} // namespace

TEST(CategoryEditorTest, NewCategoriesAreNamedNewAndMadeUnique) {
    ProviderCollection providers = Sample();
    CategoryEditor editor(providers);
    EXPECT_EQ(editor.NewCategory(QString()), "New");
    EXPECT_EQ(editor.NewCategory(QString()), "New 2");
    EXPECT_EQ(editor.NewCategory("news"), "News/New"); // the stored spelling
    EXPECT_EQ(editor.NewCategory("Old"), "Old/New");
    EXPECT_EQ(editor.NewCategory("Nowhere"), "New 3");
    EXPECT_EQ(CategoryLines(providers),
              QStringList({"Empty", "New", "New 2", "New 3", "News", "News/New", "News/Tech",
                           "Old (inactive)", "Old/Gone (hidden)", "Old/New (hidden)", "Sports"}));
    const auto made = providers.Categories().Item(providers.Categories().LocateCategory("Old/New"));
    EXPECT_TRUE(made->Active);
    EXPECT_TRUE(made->UserDefined);
}

TEST(CategoryEditorTest, RenamingCarriesSubCategoriesAndProvidersAlong) {
    ProviderCollection providers = Sample();
    CategoryEditor editor(providers);
    EXPECT_EQ(editor.Rename("news", "  World "), RenameResult::Renamed);
    EXPECT_EQ(editor.Rename("Old", "Archive"), RenameResult::Renamed);
    // Empty categories, the new one among them, survive a rename.
    EXPECT_EQ(editor.Rename("Empty", "Later"), RenameResult::Renamed);
    EXPECT_EQ(CategoryLines(providers), QStringList({"Archive (inactive)", "Archive/Gone (hidden)",
                                                     "Later", "Sports", "World", "World/Tech"}));
    EXPECT_EQ(ProviderLines(providers),
              QStringList({"n: World", "t: World/Tech", "s: Sports", "o: Archive/Gone"}));
    EXPECT_TRUE(providers.Item(1)->UserCategory);
    EXPECT_FALSE(providers.Item(3)->UserCategory);
}

// data/tables/category-renames.tsv
TEST(CategoryEditorTest, RenamingRefusesEmptyAndTakenNames) {
    const QMap<QString, RenameResult> results{{"Renamed", RenameResult::Renamed},
                                              {"Empty", RenameResult::Empty},
                                              {"Taken", RenameResult::Taken},
                                              {"Invalid", RenameResult::Invalid}};
    for (const QStringList& c : TestData::Table(QStringLiteral("tables/category-renames.tsv"))) {
        SCOPED_TRACE((c[0] + " -> " + c[1]).toStdString());
        ProviderCollection providers = Sample();
        const QStringList before = CategoryLines(providers);
        const RenameResult result = CategoryEditor(providers).Rename(c[0], c[1]);
        EXPECT_EQ(result, results[c[2]]);
        EXPECT_EQ(CategoryEditor::RenameMessage(result), c.value(3));
        if (result != RenameResult::Renamed) {
            EXPECT_EQ(CategoryLines(providers), before);
        }
    }
}

TEST(CategoryEditorTest, ActivatingRecomputesVisibilityBelow) {
    ProviderCollection providers = Sample();
    CategoryEditor editor(providers);
    editor.SetActive("old", true);
    editor.SetActive("News", false);
    EXPECT_EQ(CategoryLines(providers),
              QStringList(
                  {"Empty", "News (inactive)", "News/Tech (hidden)", "Old", "Old/Gone", "Sports"}));
}

// data/cases/category-deletes.json
TEST(CategoryEditorTest, DeletingHandsTheProvidersToTheParentOrGeneral) {
    const QMap<QString, Outcome> outcomes{{"HasChildren", Outcome::HasChildren},
                                          {"Deleted", Outcome::Deleted}};
    for (const QJsonValue& value : TestData::Cases(QStringLiteral("cases/category-deletes.json"))) {
        const QJsonObject c = value.toObject();
        SCOPED_TRACE(c["path"].toString().toStdString());
        ProviderCollection providers = Sample();
        for (const QJsonValue& path : c["extra"].toArray())
            providers.Categories().EnsureCategory(path.toString(), true, true);
        providers.Categories().SortByName(1, providers.Categories().Count());
        providers.Categories().ComputeVisibility();
        const CategoryEditor::DeleteResult result =
            CategoryEditor(providers).Delete(c["path"].toString());
        EXPECT_EQ(result.outcome, outcomes[c["outcome"].toString()]);
        EXPECT_EQ(result.Message(), c["message"].toString());
        EXPECT_EQ(CategoryLines(providers), c["categories"].toVariant().toStringList());
        EXPECT_EQ(ProviderLines(providers), c["providers"].toVariant().toStringList());
    }
}

TEST(CategoryEditorTest, GeneralKeepsTheProvidersItHolds) {
    ProviderCollection providers = FiledProviders({{"g", "General"}, {"s", "Sports"}});
    CategoryEditor editor(providers);
    const CategoryEditor::DeleteResult result = editor.Delete("general");
    EXPECT_EQ(result.outcome, Outcome::HoldsReassigned);
    EXPECT_TRUE(result.Message().contains("'General'"));
    EXPECT_EQ(CategoryLines(providers), QStringList({"General", "Sports"}));
    EXPECT_EQ(editor.Delete("Sports").moved, 1);
    EXPECT_EQ(ProviderLines(providers), QStringList({"g: General", "s: General"}));
}
