// Subscription lists of other readers beside what an import makes of them.
// Every data/opml/NAME.opml is imported by varnocet-providers into
// NAME.providers.xml (an empty list when there is none), with the alias sets
// of NAME.aliases.xml when there is one; the report and the list written
// must equal NAME.expected.json. A new case is two files and no code.
//
// VARNOCET_REGENERATE=1 rewrites the expected files instead of comparing;
// the change is then reviewed like code.
#include "support/GoldenFile.h"
#include "support/TestData.h"
#include "support/ToolRun.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

const QString DocumentSuffix = QStringLiteral(".opml");
const QStringList SidecarSuffixes = {QStringLiteral(".expected.json"),
                                     QStringLiteral(".providers.xml"),
                                     QStringLiteral(".aliases.xml")};

// What an import decides; statistics and IDs are the list's business.
const QStringList ImportedFields = {
    QStringLiteral("ProviderName"), QStringLiteral("DataURL"),        QStringLiteral("SiteURL"),
    QStringLiteral("Description"),  QStringLiteral("Category"),       QStringLiteral("Origin"),
    QStringLiteral("Active"),       QStringLiteral("RefreshMinutes"), QStringLiteral("BackColor"),
    QStringLiteral("NeedsDetails"), QStringLiteral("LastUsed")};

QDir Cases() {
    return QDir(TestData::Path(QStringLiteral("opml")));
}

ToolRun Tool(const QStringList& arguments) {
    return ToolRun::Of(QStringLiteral(VARNOCET_PROVIDERS_TOOL), arguments);
}

// The sidecar of `document` with `suffix`, when there is one.
QString Sidecar(const QString& document, const QString& suffix) {
    const QString path = Cases().filePath(GoldenFile::Stem(document) + suffix);
    return QFile::exists(path) ? path : QString();
}

QJsonArray Compact(const QJsonArray& providers) {
    QJsonArray compact;
    for (const QJsonValue& provider : providers) {
        QJsonObject kept;
        for (const QString& field : ImportedFields)
            kept.insert(field, provider[field]);
        compact.append(kept);
    }
    return compact;
}

QJsonObject Import(const QString& document, const QDir& folder) {
    QString base = Sidecar(document, QStringLiteral(".providers.xml"));
    if (base.isEmpty())
        base = TestData::Write(folder.filePath(QStringLiteral("empty.xml")),
                               "<providers v=\"4\"></providers>");
    const QString aliases = Sidecar(document, QStringLiteral(".aliases.xml"));
    const QString out = folder.filePath(QStringLiteral("out.xml"));
    QStringList arguments{QStringLiteral("--import-opml"), Cases().filePath(document),
                          QStringLiteral("--write"), out};
    if (!aliases.isEmpty())
        arguments += {QStringLiteral("--aliases"), aliases};
    const ToolRun run = Tool(arguments + QStringList{base});
    if (run.ExitCode != 0)
        return {{QStringLiteral("exitCode"), run.ExitCode},
                {QStringLiteral("error"), QString::fromUtf8(run.Err)},
                {QStringLiteral("written"), QFile::exists(out)}};
    const QJsonObject list =
        QJsonDocument::fromJson(Tool({QStringLiteral("--json"), out}).Out).object();
    return {{QStringLiteral("report"),
             QJsonArray::fromStringList(QString::fromUtf8(run.Out).split(u'\n'))},
            {QStringLiteral("categories"), list[QStringLiteral("categories")]},
            {QStringLiteral("providers"), Compact(list[QStringLiteral("providers")].toArray())}};
}

class OpmlGoldenTest : public ::testing::TestWithParam<std::string> {};

TEST_P(OpmlGoldenTest, ImportsAsExpected) {
    const QString document = QString::fromStdString(GetParam());
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    GoldenFile::Check(
        Cases().filePath(GoldenFile::Stem(document) + QStringLiteral(".expected.json")),
        Import(document, QDir(folder.path())), document, QStringLiteral("opml_golden"));
}

INSTANTIATE_TEST_SUITE_P(Documents, OpmlGoldenTest,
                         ::testing::ValuesIn(GoldenFile::Cases(Cases().path(), DocumentSuffix)),
                         GoldenFile::CaseName);

// A sidecar left behind by a renamed case would otherwise be forgotten
// silently.
TEST(OpmlGoldenFilesTest, EverySidecarHasItsDocument) {
    for (const QString& file : GoldenFile::FilesUnder(Cases().path())) {
        if (file.endsWith(DocumentSuffix))
            continue;
        const auto belongs = [&](const QString& suffix) {
            return file.endsWith(suffix) &&
                   QFile::exists(Cases().filePath(file.chopped(suffix.size()) + DocumentSuffix));
        };
        if (std::none_of(SidecarSuffixes.begin(), SidecarSuffixes.end(), belongs))
            ADD_FAILURE() << file.toStdString() << " has no document beside it";
    }
}

} // namespace
