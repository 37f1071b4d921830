// Providers files beside what varnocet-providers makes of them. Every
// data/providers/NAME.xml is read with --json and written back as the user's
// list and as a delta set; NAME.expected.json holds the report (every value
// as read, the fields each provider element held, whether a value was lost)
// and both written files, each "as read" when it is the file itself. A file that does
// not load gives its exit status and message. A new case is two files and
// no code. Beside a case, NAME.published is compared with it ("compare":
// the fields each provider differs in) and the delta set NAME.delta is
// applied to it ("apply").
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

#include <string>
#include <utility>
#include <vector>

namespace {

const QString ExpectedSuffix = QStringLiteral(".expected.json");

QDir Cases() {
    return QDir(TestData::Path(QStringLiteral("providers")));
}

ToolRun Tool(const QStringList& arguments) {
    return ToolRun::Of(QStringLiteral(VARNOCET_PROVIDERS_TOOL), arguments);
}

// A written file line by line, or "as read" when it equals the case's file.
QJsonValue Written(const QByteArray& bytes, const QByteArray& read) {
    if (bytes == read)
        return QStringLiteral("as read");
    return QJsonArray::fromStringList(QString::fromUtf8(bytes).split(QStringLiteral("\r\n")));
}

// The reports of the case against the files beside it, by option.
void AddRunsAgainst(const QString& path, QJsonObject& result) {
    const std::pair<QString, QString> runs[] = {{QStringLiteral("compare"), ".published"},
                                                {QStringLiteral("apply"), ".delta"}};
    for (const auto& [option, suffix] : runs) {
        const QString other = GoldenFile::Stem(path) + suffix;
        if (QFile::exists(other))
            result.insert(
                option,
                QJsonDocument::fromJson(Tool({"--json", "--" + option, other, path}).Out).object());
    }
}

QJsonObject Report(const QString& file, const QDir& folder) {
    const QString path = Cases().filePath(file);
    // Into a folder not made yet: saving makes it.
    const QString user = folder.filePath(QStringLiteral("new/user.xml"));
    const ToolRun run = Tool({QStringLiteral("--json"), QStringLiteral("--write"), user, path});
    if (run.ExitCode != 0)
        return {{QStringLiteral("exitCode"), run.ExitCode},
                {QStringLiteral("error"), QString::fromUtf8(run.Err).replace(path, file)}};
    const QString delta = folder.filePath(QStringLiteral("delta.xml"));
    Tool({QStringLiteral("--write"), delta, QStringLiteral("--layout"), QStringLiteral("delta"),
          path});
    const QByteArray read = TestData::ReadFile(path);
    QJsonObject result{{QStringLiteral("report"), QJsonDocument::fromJson(run.Out).object()},
                       {QStringLiteral("user"), Written(TestData::ReadFile(user), read)},
                       {QStringLiteral("delta"), Written(TestData::ReadFile(delta), read)}};
    AddRunsAgainst(path, result);
    return result;
}

class ProvidersGoldenTest : public ::testing::TestWithParam<std::string> {};

TEST_P(ProvidersGoldenTest, ReadsAndWritesAsExpected) {
    const QString file = QString::fromStdString(GetParam());
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    GoldenFile::Check(Cases().filePath(GoldenFile::Stem(file) + ExpectedSuffix),
                      Report(file, QDir(folder.path())), file, QStringLiteral("providers_golden"));
}

INSTANTIATE_TEST_SUITE_P(Files, ProvidersGoldenTest,
                         ::testing::ValuesIn(GoldenFile::Cases(Cases().path(),
                                                               QStringLiteral(".xml"))),
                         GoldenFile::CaseName);

} // namespace
