#include "ui/CommandLine.h"

#include <gtest/gtest.h>

namespace {

std::optional<int> Handle(const QStringList& options) {
    return CommandLine::HandleInformational(QStringList{QStringLiteral("varnocet")} + options);
}

} // namespace

TEST(CommandLineTest, InformationalOptionsExitAtOnce) {
    testing::internal::CaptureStdout();
    EXPECT_EQ(Handle({QStringLiteral("--version")}), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "varnocet 0.9.90\n");

    testing::internal::CaptureStdout();
    EXPECT_EQ(Handle({QStringLiteral("--help")}), 0);
    const std::string help = testing::internal::GetCapturedStdout();
    EXPECT_NE(help.find("--version"), std::string::npos);
}

TEST(CommandLineTest, UnknownOptionIsAUsageError) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(Handle({QStringLiteral("--frobnicate")}), 2);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("frobnicate"), std::string::npos);
}

TEST(CommandLineTest, NoOptionsStartsTheProgram) {
    EXPECT_EQ(Handle({}), std::nullopt);
}
