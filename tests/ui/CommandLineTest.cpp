#include "ui/CommandLine.h"

#include "config/ProgramVersion.h"

#include <gtest/gtest.h>

namespace {

CommandLine::Invocation Parse(const QStringList& options, const QString& environmentHome = {}) {
    return CommandLine::Parse(QStringList{QStringLiteral("varnocet")} + options, environmentHome);
}

} // namespace

TEST(CommandLineTest, InformationalOptionsExitAtOnceAndAnUnknownOneIsAUsageError) {
    testing::internal::CaptureStdout();
    EXPECT_EQ(Parse({QStringLiteral("--version")}).ExitCode, 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "varnocet " + ProgramVersionString().toStdString() + "\n");

    testing::internal::CaptureStdout();
    EXPECT_EQ(Parse({QStringLiteral("--help")}).ExitCode, 0);
    const std::string help = testing::internal::GetCapturedStdout();
    EXPECT_NE(help.find("--version"), std::string::npos);
    EXPECT_NE(help.find("--home"), std::string::npos);

    testing::internal::CaptureStderr();
    EXPECT_EQ(Parse({QStringLiteral("--frobnicate")}).ExitCode, 2);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("frobnicate"), std::string::npos);
}

TEST(CommandLineTest, HomeComesFromTheOptionElseTheEnvironment) {
    EXPECT_EQ(Parse({}).ExitCode, std::nullopt);
    EXPECT_EQ(Parse({}).Home, QString());
    EXPECT_EQ(Parse({}, "/env/home").Home, "/env/home");
    EXPECT_EQ(Parse({QStringLiteral("--home"), QStringLiteral("/opt/home")}, "/env/home").Home,
              "/opt/home");
}
