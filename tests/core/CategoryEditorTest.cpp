#include "core/CategoryEditor.h"
#include "support/FiledProviders.h"

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

TEST(CategoryEditorTest, RenamingRefusesEmptyAndTakenNames) {
    const struct {
        const char* path;
        const char* name;
        RenameResult result;
        const char* message;
    } cases[] = {
        {"News", "", RenameResult::Empty, "The category name cannot be empty!"},
        {"News", "   ", RenameResult::Empty, "The category name cannot be empty!"},
        {"News", "sports", RenameResult::Taken, "There is already a category with that name!"},
        {"News/Tech", "TECH", RenameResult::Renamed, ""}, // its own name, other case
        {"News", "News", RenameResult::Renamed, ""},
        {"News", "A/B", RenameResult::Invalid, ""},
        {"Missing", "X", RenameResult::Invalid, ""},
    };
    for (const auto& c : cases) {
        ProviderCollection providers = Sample();
        const QStringList before = CategoryLines(providers);
        const RenameResult result = CategoryEditor(providers).Rename(c.path, c.name);
        EXPECT_EQ(result, c.result) << c.path << " -> " << c.name;
        EXPECT_EQ(CategoryEditor::RenameMessage(result), QString(c.message));
        if (result != RenameResult::Renamed) {
            EXPECT_EQ(CategoryLines(providers), before) << c.path << " -> " << c.name;
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

TEST(CategoryEditorTest, DeletingHandsTheProvidersToTheParentOrGeneral) {
    const struct {
        QStringList extra;
        const char* path;
        Outcome outcome;
        const char* message;
        QStringList categories;
        QStringList providers;
    } cases[] = {
        {{},
         "News",
         Outcome::HasChildren,
         "You must delete the categories within the selected \n"
         "category before deleting the category itself.",
         {"Empty", "News", "News/Tech", "Old (inactive)", "Old/Gone (hidden)", "Sports"},
         {"n: News", "t: News/Tech", "s: Sports", "o: Old/Gone"}},
        {{},
         "sports",
         Outcome::Deleted,
         "The deleted category contained 1 providers. They have been reassigned to category "
         "'General'",
         {"Empty", "General", "News", "News/Tech", "Old (inactive)", "Old/Gone (hidden)"},
         {"n: News", "t: News/Tech", "s: General", "o: Old/Gone"}},
        {{},
         "Old/Gone",
         Outcome::Deleted,
         "The deleted category contained 1 providers. They have been reassigned to category "
         "'Old'",
         {"Empty", "News", "News/Tech", "Old (inactive)", "Sports"},
         {"n: News", "t: News/Tech", "s: Sports", "o: Old"}},
        {{"general"},
         "Sports",
         Outcome::Deleted,
         "The deleted category contained 1 providers. They have been reassigned to category "
         "'general'",
         {"Empty", "general", "News", "News/Tech", "Old (inactive)", "Old/Gone (hidden)"},
         {"n: News", "t: News/Tech", "s: general", "o: Old/Gone"}},
        {{},
         "Empty",
         Outcome::Deleted,
         "",
         {"News", "News/Tech", "Old (inactive)", "Old/Gone (hidden)", "Sports"},
         {"n: News", "t: News/Tech", "s: Sports", "o: Old/Gone"}},
        {{"General"},
         "General",
         Outcome::Deleted,
         "",
         {"Empty", "News", "News/Tech", "Old (inactive)", "Old/Gone (hidden)", "Sports"},
         {"n: News", "t: News/Tech", "s: Sports", "o: Old/Gone"}},
    };
    for (const auto& c : cases) {
        ProviderCollection providers = Sample();
        for (const QString& path : c.extra)
            providers.Categories().EnsureCategory(path, true, true);
        providers.Categories().SortByName(1, providers.Categories().Count());
        providers.Categories().ComputeVisibility();
        const CategoryEditor::DeleteResult result = CategoryEditor(providers).Delete(c.path);
        EXPECT_EQ(result.outcome, c.outcome) << c.path;
        EXPECT_EQ(result.Message(), QString(c.message)) << c.path;
        EXPECT_EQ(CategoryLines(providers), c.categories) << c.path;
        EXPECT_EQ(ProviderLines(providers), c.providers) << c.path;
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
