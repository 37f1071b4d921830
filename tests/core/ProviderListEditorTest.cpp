#include "core/ProviderListEditor.h"

#include "model/Provider.h"
#include "model/ProviderCollection.h"

#include "support/NamedProviders.h"
#include "support/Scenario.h"
#include "support/TestData.h"

#include <QJsonArray>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace {

using Selection = ProviderListEditor::Selection;

// "2,3,5": those positions.
Selection Positions(const QString& text) {
    Selection selection;
    for (const QString& position : text.split(u',', Qt::SkipEmptyParts))
        selection.append(position.toInt());
    return selection;
}

// The list's names, "-" after a switched-off one.
QString Names(const ProviderCollection& providers) {
    QStringList names;
    for (const auto& provider : providers)
        names.append(provider->ProviderName + (provider->Active ? "" : "-"));
    return names.join(u' ');
}

// The names at the positions of a selection, in its order.
QString Selected(const ProviderCollection& providers, const Selection& selection) {
    QStringList names;
    for (const qsizetype position : selection)
        names.append(providers.Item(position)->ProviderName);
    return "[" + names.join(u' ') + "]";
}

QString Described(const Provider& provider) {
    return QStringLiteral("%1 %2 @%3 origin %4 every %5 colour %6 needs details %7 last used %8 "
                          "language %9 attempted %10 temporary id %11 user category %12")
        .arg(provider.ProviderName, provider.DataURL, provider.Category)
        .arg(provider.Origin)
        .arg(provider.RefreshMinutes)
        .arg(provider.BackColor, 0, 16)
        .arg(provider.NeedsDetails)
        .arg(provider.LastUsed.ToQDate().toString(Qt::ISODate))
        .arg(provider.Language)
        .arg(provider.AttemptedUpdates)
        .arg(Provider::IsTemporaryID(provider.UniqueID))
        .arg(provider.UserCategory);
}

// Does a step on the list; what it answers when it asks something.
QJsonValue Do(ProviderCollection& providers, const QJsonArray& step) {
    ProviderListEditor editor(providers);
    const QString name = step[0].toString();
    const Selection selection = Positions(step[1].toString());
    const auto provider = [&] {
        return providers.Item(step[1].toInt());
    };
    if (name == u"can move")
        return QStringLiteral("up %1, down %2")
            .arg(editor.CanMoveUp(selection))
            .arg(editor.CanMoveDown(selection));
    if (name == u"up")
        return Selected(providers, editor.MoveUp(selection));
    if (name == u"down")
        return Selected(providers, editor.MoveDown(selection));
    if (name == u"sort")
        editor.Sort();
    if (name == u"sort selected")
        editor.SortSelected(selection);
    if (name == u"delete")
        editor.Delete(selection);
    if (name == u"switch")
        provider()->Active = step[2].toBool();
    if (name == u"all active")
        editor.SetAllActive(step[1].toBool());
    if (name == u"count")
        return ProviderListEditor::ProviderCountLabel(providers);
    if (name == u"new") {
        const auto result = editor.New(step[1].toString(), step[2].toString());
        static const QStringList outcomes{"found", "added", "needs a category", "refused"};
        return QStringLiteral("%1, provider %2")
            .arg(outcomes.at(static_cast<int>(result.outcome)))
            .arg(result.provider ? result.provider->ProviderName : "none");
    }
    if (name == u"describe")
        return Described(*provider());
    if (name == u"wants details")
        return ProviderListEditor::WantsDetails(*provider());
    if (name == u"tell")
        provider()->Description = step[2].toString();
    if (name == u"details came")
        provider()->NeedsDetails = false;
    if (name == u"assign")
        editor.AssignCategory(*provider(), step[2].toString());
    if (name == u"has category")
        return providers.Categories().LocateCategory(step[1].toString()) != -1;
    return {};
}

// data/cases/provider-list-edits.json: a list of providers named as given
// (in category News, all active), then steps; after each, the list.
class ListEdits {
public:
    explicit ListEdits(const QJsonObject& c)
        : providers(NamedProviders(c["list"].toVariant().toStringList())) {}

    QJsonValue Run(const QJsonArray& step) { return Do(*providers, step); }
    QJsonObject Snapshot() const { return {{"list", Names(*providers)}}; }

private:
    std::unique_ptr<ProviderCollection> providers;
};

} // namespace

TEST(ProviderListEditorTest, EditsGoAsExpected) {
    Scenario::Walk<ListEdits>("cases/provider-list-edits.json", "core_tests");
}

// The singular is for one only; the page asks the other questions. Sounds
// inside the media folder are stored below it.
TEST(ProviderListEditorTest, LabelsAndSoundNames) {
    for (const auto& [n, expected] : std::vector<std::pair<qsizetype, QString>>{
             {0, "(0 seconds)"}, {1, "(1 second)"}, {2, "(2 seconds)"}, {15, "(15 seconds)"}})
        EXPECT_EQ(ProviderListEditor::CountLabel(n, "second", "seconds"), expected);
    EXPECT_EQ(ProviderListEditor::DeleteQuestion(1), "Delete selected Headline Provider?");
    const QString media = QStringLiteral("/usr/share/sounds");
    for (const QStringList& c : TestData::Table(QStringLiteral("tables/arrival-sound-names.tsv"))) {
        EXPECT_EQ(ProviderListEditor::ArrivalSoundName(c[0], media), c[1]);
        EXPECT_EQ(ProviderListEditor::ArrivalSoundName(c[0], media + u'/'), c[1]);
    }
    EXPECT_EQ(ProviderListEditor::ArrivalSoundName(QStringLiteral("/a.wav"), QString()),
              QStringLiteral("/a.wav"));
}
