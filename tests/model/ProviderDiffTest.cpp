#include "model/PendingOperation.h"
#include "model/PresentField.h"
#include "model/Provider.h"
#include "support/RecordingFetch.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr Long AllPresentFields = 0x3FFF;

struct FieldChange {
    Long Bit;
    std::function<void(Provider&)> Change;
};

FieldChange Changing(Long bit, std::function<void(Provider&)> change) {
    return {bit, std::move(change)};
}

// One change per present-field bit, each touching only its own field.
const std::vector<FieldChange>& FieldChanges() {
    static const std::vector<FieldChange> changes = {
        Changing(PresentField::ProviderName, [](Provider& p) { p.ProviderName = "Other"; }),
        Changing(PresentField::Description, [](Provider& p) { p.Description = "Other"; }),
        Changing(PresentField::IsTextFormat, [](Provider& p) { p.SetIsTextFormat(true); }),
        Changing(PresentField::UseTitle, [](Provider& p) { p.UseTitle = true; }),
        Changing(PresentField::Language, [](Provider& p) { p.Language = 7; }),
        Changing(PresentField::RefreshMinutes, [](Provider& p) { p.RefreshMinutes = 240; }),
        Changing(PresentField::BackColor, [](Provider& p) { p.BackColor = 255; }),
        Changing(PresentField::DataURL, [](Provider& p) { p.DataURL = "http://b/"; }),
        Changing(PresentField::SiteURL, [](Provider& p) { p.SiteURL = "http://b/"; }),
        Changing(PresentField::ImageURL, [](Provider& p) { p.ImageURL = "b.gif"; }),
        Changing(PresentField::Origin, [](Provider& p) { p.Origin = 5; }),
        Changing(PresentField::Category, [](Provider& p) { p.Category = "B"; }),
        Changing(PresentField::TextFormatSpec, [](Provider& p) { p.TextFormatSpec = "b"; }),
        Changing(PresentField::ArrivalSound, [](Provider& p) { p.ArrivalSound = "b.wav"; }),
    };
    return changes;
}

void MakeBaseline(Provider& provider) {
    provider.ProviderName = "Example";
    provider.Description = "Feed";
    provider.DataURL = "http://a/";
    provider.SiteURL = "http://a/";
    provider.Category = "A";
}

} // namespace

TEST(ProviderDiffTest, EachFieldSetsItsOwnBitAndOnlyThose) {
    Long covered = 0;
    for (const FieldChange& change : FieldChanges()) {
        Provider mine;
        Provider published;
        MakeBaseline(mine);
        MakeBaseline(published);
        change.Change(published);
        EXPECT_EQ(mine.Diff(published), change.Bit) << change.Bit;
        covered |= change.Bit;
    }
    EXPECT_EQ(covered, AllPresentFields);

    Provider mine;
    Provider published;
    MakeBaseline(mine);
    MakeBaseline(published);
    published.UniqueID = 5;
    published.Active = false;
    published.UserCategory = true;
    published.NeedsDetails = true;
    published.AttemptedUpdates = 9;
    published.LastUsed = Date::FromParts(2024, 1, 1);
    // Protecting the same data URL is no difference either.
    published.Protected = true;
    EXPECT_EQ(mine.Diff(published), 0);
    published.ProviderName = mine.ProviderName.toUpper();
    EXPECT_EQ(mine.Diff(published), PresentField::ProviderName);
}

TEST(ProviderDiffTest, ApplyingCopiesExactlyTheNamedFields) {
    Provider published;
    MakeBaseline(published);
    for (const FieldChange& change : FieldChanges())
        change.Change(published);
    for (const FieldChange& change : FieldChanges()) {
        Provider mine;
        MakeBaseline(mine);
        published.PresentFlags = change.Bit;
        mine.ApplyAsPresent(published);
        EXPECT_EQ(mine.Diff(published), AllPresentFields & ~change.Bit) << change.Bit;
    }

    published.UniqueID = 5;
    published.Protected = true;
    published.Active = false;
    published.UserCategory = true;
    published.PresentFlags = AllPresentFields;
    Provider mine;
    MakeBaseline(mine);
    mine.UniqueID = 9;
    mine.ApplyAsPresent(published);
    EXPECT_EQ(mine.Diff(published), 0);
    EXPECT_EQ(mine.UniqueID, 9);
    EXPECT_FALSE(mine.Protected);
    EXPECT_TRUE(mine.Active);
    EXPECT_FALSE(mine.UserCategory);
}

TEST(ProviderDiffTest, ApplyingTheFormatCallsOffAnOutstandingFetch) {
    Provider published;
    Provider mine;
    FetchLog log;
    mine.SetPendingFetch(std::make_unique<RecordingFetch>(log));
    mine.PendingOperations = PendingOperation::Stories;
    published.PresentFlags = PresentField::Category;
    mine.ApplyAsPresent(published);
    EXPECT_EQ(log.Cancels, 0);
    published.PresentFlags = PresentField::IsTextFormat;
    mine.ApplyAsPresent(published);
    EXPECT_EQ(log.Cancels, 1);
}
