// The JSON report and the files written as the user's list and as a delta
// set are shown by the providers files under data/providers (their golden
// test); here the rest of what a user runs.
#include "support/TestData.h"
#include "support/ToolRun.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

ToolRun Tool(const QStringList& arguments) {
    return ToolRun::Of(QStringLiteral(VARNOCET_PROVIDERS_TOOL), arguments);
}

const QString Sample = TestData::Path(QStringLiteral("providers/qtk_providers.xml"));

} // namespace

TEST(ProvidersToolTest, SortOrdersAsAtStartup) {
    const ToolRun run = Tool({QStringLiteral("--json"), QStringLiteral("--sort"), Sample});
    ASSERT_EQ(run.ExitCode, 0);
    const QJsonArray providers =
        QJsonDocument::fromJson(run.Out).object().value(QStringLiteral("providers")).toArray();
    EXPECT_EQ(providers.at(0).toObject().value(QStringLiteral("Category")).toString(),
              QStringLiteral("Computers/Linux"));
}

TEST(ProvidersToolTest, TextReport) {
    const ToolRun run = Tool({Sample});
    ASSERT_EQ(run.ExitCode, 0);
    EXPECT_TRUE(run.Out.contains("Version: 4"));
    EXPECT_TRUE(run.Out.contains("  DataURL: http://secret.example/rss.xml"));
    EXPECT_TRUE(run.Out.contains("Obsolete provider IDs (2)"));
}

// A base set of the master list carries no statistics.
TEST(ProvidersToolTest, BaseLayoutLeavesOutTheStatistics) {
    QTemporaryDir folder;
    const QString out = QDir(folder.path()).filePath(QStringLiteral("base.xml"));
    const ToolRun run =
        Tool({QStringLiteral("--write"), out, QStringLiteral("--layout"), QStringLiteral("base"),
              TestData::Path(QStringLiteral("providers/every_field.xml"))});
    ASSERT_EQ(run.ExitCode, 0) << run.Err.toStdString();
    const QByteArray written = TestData::ReadFile(out);
    EXPECT_TRUE(written.contains("<textformatspec>00,02,TD</textformatspec>"));
    for (const char* statistic : {"<lastused>", "<attemptedupdates>", "<successfulupdates>",
                                  "<lastloadduration>", "<totalloadduration>"})
        EXPECT_FALSE(written.contains(statistic)) << statistic;
}

// Where a file does not load is shown by the malformed case.
TEST(ProvidersToolTest, AMissingFileIsNamed) {
    const ToolRun missing = Tool({QStringLiteral("none.xml")});
    EXPECT_EQ(missing.ExitCode, 1);
    EXPECT_TRUE(missing.Err.contains("none.xml"));
}

// The import is shown by the OPML cases; here the export and what fails.
TEST(ProvidersToolTest, OpmlExportAndItsFailures) {
    QTemporaryDir folder;
    const QString out = QDir(folder.path()).filePath(QStringLiteral("out.opml"));
    const ToolRun run = Tool({QStringLiteral("--export-opml"), out, Sample});
    ASSERT_EQ(run.ExitCode, 0) << run.Err.toStdString();
    EXPECT_EQ(run.Out, "2 providers exported. 1 protected provider was left out.\n");
    EXPECT_TRUE(TestData::ReadFile(out).contains("xmlUrl=\"http://planet.example/rss\""));
    EXPECT_FALSE(TestData::ReadFile(out).contains("secret.example/rss"));

    const QString nowhere = QDir(folder.path()).filePath(QStringLiteral("none/out.opml"));
    const ToolRun unwritable = Tool({QStringLiteral("--export-opml"), nowhere, Sample});
    EXPECT_EQ(unwritable.ExitCode, 1);
    EXPECT_TRUE(unwritable.Err.contains("none/out.opml")) << unwritable.Err.toStdString();

    const ToolRun noAliases =
        Tool({QStringLiteral("--import-opml"), out, QStringLiteral("--aliases"),
              QStringLiteral("none.xml"), Sample});
    EXPECT_EQ(noAliases.ExitCode, 1);
    EXPECT_TRUE(noAliases.Err.contains("none.xml")) << noAliases.Err.toStdString();
}

TEST(ProvidersToolTest, BadUsage) {
    EXPECT_EQ(Tool({}).ExitCode, 2);
    EXPECT_EQ(Tool({QStringLiteral("--bogus"), Sample}).ExitCode, 2);
    EXPECT_EQ(Tool({QStringLiteral("--layout"), QStringLiteral("other"), Sample}).ExitCode, 2);
    EXPECT_EQ(Tool({QStringLiteral("--help")}).ExitCode, 0);
}
