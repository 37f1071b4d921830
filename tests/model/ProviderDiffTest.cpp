#include "model/PendingFetch.h"
#include "model/PresentField.h"
#include "model/Provider.h"
#include "platform/XmlDocument.h"

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

// One change per present-field bit, each touching only its own field.
const std::vector<FieldChange>& FieldChanges() {
    static const std::vector<FieldChange> changes = {
        {PresentField::ProviderName,
         [](Provider& p) {
             p.ProviderName = QStringLiteral("Other");
         }},
        {PresentField::Description,
         [](Provider& p) {
             p.Description = QStringLiteral("Other");
         }},
        {PresentField::IsTextFormat,
         [](Provider& p) {
             p.SetIsTextFormat(!p.IsTextFormat());
         }},
        {PresentField::UseTitle,
         [](Provider& p) {
             p.UseTitle = !p.UseTitle;
         }},
        {PresentField::Language,
         [](Provider& p) {
             p.Language = 7;
         }},
        {PresentField::RefreshMinutes,
         [](Provider& p) {
             p.RefreshMinutes = 240;
         }},
        {PresentField::BackColor,
         [](Provider& p) {
             p.BackColor = 255;
         }},
        {PresentField::DataURL,
         [](Provider& p) {
             p.DataURL = QStringLiteral("http://b/");
         }},
        {PresentField::SiteURL,
         [](Provider& p) {
             p.SiteURL = QStringLiteral("http://b/");
         }},
        {PresentField::ImageURL,
         [](Provider& p) {
             p.ImageURL = QStringLiteral("b.gif");
         }},
        {PresentField::Origin,
         [](Provider& p) {
             p.Origin = 5;
         }},
        {PresentField::Category,
         [](Provider& p) {
             p.Category = QStringLiteral("B");
         }},
        {PresentField::TextFormatSpec,
         [](Provider& p) {
             p.TextFormatSpec = QStringLiteral("b");
         }},
        {PresentField::ArrivalSound,
         [](Provider& p) {
             p.ArrivalSound = QStringLiteral("b.wav");
         }},
    };
    return changes;
}

void MakeBaseline(Provider& provider) {
    provider.ProviderName = QStringLiteral("Example");
    provider.Description = QStringLiteral("Feed");
    provider.DataURL = QStringLiteral("http://a/");
    provider.SiteURL = QStringLiteral("http://a/");
    provider.Category = QStringLiteral("A");
}

void MakeDifferentInEveryField(Provider& provider) {
    MakeBaseline(provider);
    for (const FieldChange& change : FieldChanges())
        change.Change(provider);
}

class CancelCounter : public PendingFetch {
public:
    explicit CancelCounter(int& cancels)
        : m_cancels(cancels) {}
    void Cancel(int) override { ++m_cancels; }

private:
    int& m_cancels;
};

} // namespace

TEST(ProviderDiffTest, ChangesCoverEveryPresentField) {
    Long covered = 0;
    for (const FieldChange& change : FieldChanges())
        covered |= change.Bit;
    EXPECT_EQ(covered, AllPresentFields);
}

TEST(ProviderDiffTest, EqualProvidersDoNotDifferEvenInFieldsWithoutABit) {
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
    EXPECT_EQ(mine.Diff(published), 0);
}

TEST(ProviderDiffTest, EachFieldSetsItsOwnBit) {
    for (const FieldChange& change : FieldChanges()) {
        Provider mine;
        Provider published;
        MakeBaseline(mine);
        MakeBaseline(published);
        change.Change(published);
        EXPECT_EQ(mine.Diff(published), change.Bit);
    }
}

TEST(ProviderDiffTest, LetterCaseCounts) {
    Provider mine;
    Provider published;
    MakeBaseline(mine);
    MakeBaseline(published);
    published.ProviderName = mine.ProviderName.toUpper();
    EXPECT_EQ(mine.Diff(published), PresentField::ProviderName);
}

TEST(ProviderDiffTest, ProtectionOfTheSameDataURLIsNoDifference) {
    Provider mine;
    Provider published;
    MakeBaseline(mine);
    MakeBaseline(published);
    published.Protected = true;
    EXPECT_EQ(mine.Diff(published), 0);
}

TEST(ProviderDiffTest, ApplyingCopiesExactlyTheNamedField) {
    Provider published;
    MakeDifferentInEveryField(published);
    for (const FieldChange& change : FieldChanges()) {
        Provider mine;
        MakeBaseline(mine);
        published.PresentFlags = change.Bit;
        mine.ApplyAsPresent(published);
        EXPECT_EQ(mine.Diff(published), AllPresentFields & ~change.Bit) << change.Bit;
    }
}

TEST(ProviderDiffTest, ApplyingLeavesFieldsWithoutABitAlone) {
    Provider published;
    MakeDifferentInEveryField(published);
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
    int cancels = 0;
    mine.SetPendingFetch(std::make_unique<CancelCounter>(cancels));
    mine.PendingOperations = 1;
    published.PresentFlags = PresentField::Category;
    mine.ApplyAsPresent(published);
    EXPECT_EQ(cancels, 0);
    published.PresentFlags = PresentField::IsTextFormat;
    mine.ApplyAsPresent(published);
    EXPECT_EQ(cancels, 1);
}

TEST(ProviderDiffTest, DeltaElementCarriesTheDifferenceToTheUsersCopy) {
    Provider mine;
    MakeBaseline(mine);
    mine.UniqueID = 12;
    mine.Active = false;

    Provider published;
    MakeBaseline(published);
    published.UniqueID = 12;
    published.Category = QStringLiteral("Moved");
    published.RefreshMinutes = 180;
    published.PresentFlags = mine.Diff(published);

    XmlDocument document;
    const XmlNode delta = published.AsXML(document, QStringLiteral("  "), true, false);
    Provider fromDelta;
    EXPECT_TRUE(fromDelta.FromXML(delta, false));
    EXPECT_EQ(fromDelta.PresentFlags, PresentField::Category | PresentField::RefreshMinutes);

    mine.ApplyAsPresent(fromDelta);
    EXPECT_EQ(mine.Diff(published), 0);
    EXPECT_FALSE(mine.Active);
    EXPECT_EQ(mine.UniqueID, 12);
}
