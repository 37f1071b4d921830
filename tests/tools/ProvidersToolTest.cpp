#include "support/TestData.h"
#include "support/ToolRun.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

ToolRun Tool(const QStringList& arguments) {
    return ToolRun::Of(QStringLiteral(VARNOCET_PROVIDERS_TOOL), arguments);
}

QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QString Sample = TestData::Path(QStringLiteral("providers/qtk_providers.xml"));

} // namespace

TEST(ProvidersToolTest, JsonShowsEveryStoredField) {
    const ToolRun run = Tool({QStringLiteral("--json"), Sample});
    ASSERT_EQ(run.ExitCode, 0) << run.Err.toStdString();
    const QJsonObject root = QJsonDocument::fromJson(run.Out).object();
    EXPECT_EQ(root.value(QStringLiteral("version")).toInt(), 4);
    const QJsonArray providers = root.value(QStringLiteral("providers")).toArray();
    ASSERT_EQ(providers.size(), 3);
    const QJsonObject scrambled = providers.at(1).toObject();
    EXPECT_EQ(scrambled.value(QStringLiteral("ProviderName")).toString(),
              QStringLiteral("Hidden Feed"));
    EXPECT_TRUE(scrambled.value(QStringLiteral("Protected")).toBool());
    EXPECT_EQ(scrambled.value(QStringLiteral("DataURL")).toString(),
              QStringLiteral("http://secret.example/rss.xml"));
    EXPECT_EQ(scrambled.value(QStringLiteral("UniqueID")).toInt(), 1002);
    EXPECT_EQ(root.value(QStringLiteral("obsolete")).toArray().size(), 2);
    const QJsonObject category =
        root.value(QStringLiteral("categories")).toArray().at(0).toObject();
    EXPECT_TRUE(category.contains(QStringLiteral("UserDefined")));
}

TEST(ProvidersToolTest, WriteReproducesAFileTheProgramWrote) {
    QTemporaryDir folder;
    const QString out = QDir(folder.path()).filePath(QStringLiteral("out.xml"));
    const ToolRun run = Tool({QStringLiteral("--write"), out, Sample});
    ASSERT_EQ(run.ExitCode, 0) << run.Err.toStdString();
    EXPECT_EQ(Read(out), Read(Sample));
}

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

TEST(ProvidersToolTest, UnreadableFileSaysWhereAndWhy) {
    QTemporaryDir folder;
    const QString broken = QDir(folder.path()).filePath(QStringLiteral("broken.xml"));
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<providers>\n  <provider>\n</providers>\n");
    file.close();
    const ToolRun run = Tool({broken});
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_TRUE(run.Err.contains(broken.toUtf8() + ":3:")) << run.Err.toStdString();

    const ToolRun missing = Tool({QDir(folder.path()).filePath(QStringLiteral("none.xml"))});
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
    EXPECT_TRUE(Read(out).contains("xmlUrl=\"http://planet.example/rss\""));
    EXPECT_FALSE(Read(out).contains("secret.example/rss"));

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
    EXPECT_EQ(Tool({QStringLiteral("--help")}).ExitCode, 0);
}
