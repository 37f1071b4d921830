#include "core/CategoryEditor.h"
#include "support/FiledProviders.h"
#include "support/Scenario.h"
#include "support/TestData.h"

#include <QJsonArray>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace {

// Two levels with a provider each, an empty category of the user's and a
// switched-off branch; or the providers a case files, and its extra empty
// categories.
ProviderCollection Sample(const QJsonObject& c) {
    QList<std::pair<QString, QString>> filed{
        {"n", "News"}, {"t", "News/Tech"}, {"s", "Sports"}, {"o", "Old/Gone"}};
    if (c.contains("filed"))
        filed.clear();
    for (const QJsonValue& provider : c["filed"].toArray())
        filed.append({provider[0].toString(), provider[1].toString()});
    ProviderCollection providers = FiledProviders(
        filed, c.contains("filed") ? QStringList()
                                   : QStringList{"Empty"} + c["extra"].toVariant().toStringList());
    if (!c.contains("filed"))
        CategoryEditor(providers).SetActive("Old", false);
    return providers;
}

// What a step answers: the path made, a rename's result and message, a
// deletion's outcome, message and providers moved.
QString Do(CategoryEditor& editor, const QJsonArray& step) {
    const QString name = step[0].toString();
    const QString path = step[1].toString();
    if (name == u"new")
        return editor.NewCategory(path);
    if (name == u"active")
        editor.SetActive(path, step[2].toBool());
    if (name == u"rename") {
        const CategoryEditor::RenameResult result = editor.Rename(path, step[2].toString());
        static const QStringList results{"Renamed", "Empty", "Taken", "Invalid"};
        return results.at(static_cast<int>(result)) + ' ' + CategoryEditor::RenameMessage(result);
    }
    if (name == u"delete") {
        const CategoryEditor::DeleteResult result = editor.Delete(path);
        static const QStringList outcomes{"Deleted", "HasChildren", "HoldsReassigned"};
        return QStringLiteral("%1 %2 moved %3")
            .arg(outcomes.at(static_cast<int>(result.outcome)))
            .arg(result.Message())
            .arg(result.moved);
    }
    return {};
}

// data/cases/category-edits.json: the sample (or the case's providers),
// then steps; after each, the categories ("(user)" where the user made one)
// and the providers ("(user)" where the user filed one).
class CategoryEdits {
public:
    explicit CategoryEdits(const QJsonObject& c)
        : providers(Sample(c)) {}

    QJsonValue Run(const QJsonArray& step) { return Do(editor, step); }

    QJsonObject Snapshot() const {
        QStringList categories = CategoryLines(providers);
        for (qsizetype i = 0; i < categories.size(); ++i)
            categories[i] += providers.Categories().Item(i + 1)->UserDefined ? " (user)" : "";
        QStringList filed = ProviderLines(providers);
        for (qsizetype i = 0; i < filed.size(); ++i)
            filed[i] += providers.Item(i + 1)->UserCategory ? " (user)" : "";
        return {{"categories", QJsonArray::fromStringList(categories)},
                {"providers", QJsonArray::fromStringList(filed)}};
    }

private:
    ProviderCollection providers;
    CategoryEditor editor{providers};
};

} // namespace

TEST(CategoryEditorTest, EditsGoAsExpected) {
    Scenario::Walk<CategoryEdits>("cases/category-edits.json", "core_tests");
}
