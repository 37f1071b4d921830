#include "ui/CommandLine.h"

#include "config/ProgramVersion.h"
#include "support/TestData.h"

#include <QJsonArray>

#include <gtest/gtest.h>

// Informational options exit at once, an unknown one is a usage error, and
// the home comes from the option else the environment. Without an exit code
// the program runs on.
TEST(CommandLineTest, OptionsSayWhetherToExitAndWhereTheHomeIs) {
    for (const QJsonValue& c : TestData::Cases(QStringLiteral("cases/command-lines.json"))) {
        const QStringList options = c["options"].toVariant().toStringList();
        SCOPED_TRACE(options.join(u' ').toStdString() + " " +
                     c["environmentHome"].toString().toStdString());
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        const CommandLine::Invocation run = CommandLine::Parse(
            QStringList{QStringLiteral("varnocet")} + options, c["environmentHome"].toString());
        const QString out = QString::fromStdString(testing::internal::GetCapturedStdout());
        const QString errors = QString::fromStdString(testing::internal::GetCapturedStderr());
        EXPECT_EQ(run.ExitCode.value_or(-1), c["exitCode"].toInt(-1));
        EXPECT_EQ(run.Home, c["home"].toString());
        if (c["stdout"].isString()) {
            EXPECT_EQ(out, c["stdout"].toString().replace("{version}", ProgramVersionString()));
        }
        for (const QJsonValue& mention : c["mentions"].toArray())
            EXPECT_TRUE(out.contains(mention.toString())) << out.toStdString();
        EXPECT_TRUE(errors.contains(c["error"].toString())) << errors.toStdString();
    }
}
