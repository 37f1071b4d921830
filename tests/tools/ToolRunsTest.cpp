// What the tools answer to a command line: exit code, what they print and
// the file they write, case by case in data/cases/tool-runs.json. "{data}"
// stands for the test data folder, "{tmp}" for a folder of the test's own.
#include "support/TestData.h"
#include "support/ToolRun.h"

#include <QDir>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(ToolRunsTest, EachCommandLineAnswersAsItsCaseSays) {
    const QHash<QString, QString> tools = {{"read", QStringLiteral(VARNOCET_READ_TOOL)},
                                           {"providers", QStringLiteral(VARNOCET_PROVIDERS_TOOL)}};
    for (const QJsonValue& value : TestData::Cases(QStringLiteral("cases/tool-runs.json"))) {
        const QJsonObject c = value.toObject();
        SCOPED_TRACE(QJsonDocument(c).toJson(QJsonDocument::Compact).toStdString());
        QTemporaryDir folder;
        const auto expand = [&](const QJsonValue& text) {
            return text.toString()
                .replace("{data}", QDir::cleanPath(TestData::Path(QStringLiteral("."))))
                .replace("{tmp}", folder.path())
                .toUtf8();
        };
        const auto texts = [&](const char* key) {
            QList<QByteArray> list;
            for (const QJsonValue& text : c[QLatin1String(key)].toArray())
                list.append(expand(text));
            return list;
        };
        QStringList arguments;
        for (const QByteArray& argument : texts("args"))
            arguments.append(QString::fromUtf8(argument));
        const ToolRun run = ToolRun::Of(tools.value(c["tool"].toString()), arguments);
        EXPECT_EQ(run.ExitCode, c["exit"].toInt()) << run.Err.toStdString();
        for (const QByteArray& text : texts("out"))
            EXPECT_TRUE(run.Out.contains(text)) << run.Out.toStdString();
        for (const QByteArray& text : texts("notOut"))
            EXPECT_FALSE(run.Out.contains(text)) << run.Out.toStdString();
        for (const QByteArray& text : texts("err"))
            EXPECT_TRUE(run.Err.contains(text)) << run.Err.toStdString();
        const QByteArray written = TestData::ReadFile(QString::fromUtf8(expand(c["file"])));
        for (const QByteArray& text : texts("fileHas"))
            EXPECT_TRUE(written.contains(text)) << text.toStdString();
        for (const QByteArray& text : texts("fileLacks"))
            EXPECT_FALSE(written.contains(text)) << text.toStdString();
    }
}

} // namespace
