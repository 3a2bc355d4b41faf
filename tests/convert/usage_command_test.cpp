#include "tool_runner.h"

#include <gtest/gtest.h>

#include <ostream>

namespace glyphmill::test {
namespace {

const std::string kUsage = "Usage: glyphmill-convert text-to-binary [FILE...]\n"
                           "       glyphmill-convert binary-to-text [--strict] [FILE...]\n"
                           "       glyphmill-convert number-to-binary NUMBER...\n"
                           "       glyphmill-convert --help | --version\n";

struct UsageRow {
    const char *name;
    std::vector<std::string> arguments;
    std::string problem;
};

void PrintTo(const UsageRow &row, std::ostream *out) {
    *out << row.name;
}

class UsageErrors : public ::testing::TestWithParam<UsageRow> {};

TEST_P(UsageErrors, ExplainWithTheUsageTextAndStatusTwo) {
    const ToolResult result = ToolRun(GetParam().arguments).input("0100").run();
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "glyphmill-convert: " + GetParam().problem + "\n" + kUsage +
                              "Try 'glyphmill-convert --help' for more information.\n");
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, UsageErrors,
    ::testing::Values(
        UsageRow{"NoCommand", {}, "no command given"},
        UsageRow{"UnknownCommand", {"encode"}, "unknown command 'encode'"},
        UsageRow{"CommandInOtherCase", {"Text-To-Binary"}, "unknown command 'Text-To-Binary'"},
        UsageRow{"OptionInsteadOfCommand", {"--strict"}, "unknown option '--strict'"},
        UsageRow{"StrictForTextToBinary",
                 {"text-to-binary", "--strict"},
                 "unknown option '--strict' for text-to-binary"},
        UsageRow{"ShortOption", {"binary-to-text", "-s"}, "unknown option '-s' for binary-to-text"},
        UsageRow{"OptionWithValue",
                 {"binary-to-text", "--strict=yes"},
                 "unknown option '--strict=yes' for binary-to-text"},
        UsageRow{"NumberOption",
                 {"number-to-binary", "--strict", "5"},
                 "unknown option '--strict' for number-to-binary"},
        UsageRow{"NoNumber", {"number-to-binary"}, "number-to-binary needs at least one NUMBER"},
        UsageRow{"OnlyEndOfOptions",
                 {"number-to-binary", "--"},
                 "number-to-binary needs at least one NUMBER"},
        UsageRow{"VersionWithArgument", {"--version", "x"}, "'--version' takes no arguments"},
        UsageRow{"HelpWithArgument", {"--help", "x"}, "'--help' takes no arguments"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(UsageCommand, VersionNamesTheToolAndItsVersion) {
    const ToolResult result = ToolRun({"--version"}).run();
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "glyphmill-convert 2.00.0001\n");
    EXPECT_EQ(result.err, "");
}

TEST(UsageCommand, HelpDescribesEveryCommandOptionAndStatus) {
    const ToolResult result = ToolRun({"--help"}).run();
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_TRUE(result.out.starts_with(kUsage));
    for (const char *part :
         {"text-to-binary", "binary-to-text", "number-to-binary", "--strict", "--help", "--version",
          "FILE:LINE:COLUMN: expected 8 binary digits, found 'x'", "<stdin>", "end of input",
          "1073741824", "Overflow", "Type mismatch", "Exit status", "usage error"}) {
        EXPECT_NE(result.out.find(part), std::string::npos) << part;
    }
}

TEST(UsageCommand, HelpAfterACommandShowsTheSameHelp) {
    const ToolResult plain = ToolRun({"--help"}).run();
    const ToolResult afterCommand = ToolRun({"binary-to-text", "--help"}).run();
    EXPECT_EQ(afterCommand.status, 0);
    EXPECT_EQ(afterCommand.out, plain.out);
}

TEST(UsageCommand, EndOfOptionsMakesADashWordAFile) {
    const ToolResult result = ToolRun({"text-to-binary", "--", "--strict"}).run();
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "glyphmill-convert: --strict: No such file or directory\n");
}

} // namespace
} // namespace glyphmill::test
