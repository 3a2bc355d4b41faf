#include "tool_runner.h"

#include <gtest/gtest.h>

#include <csignal>
#include <ostream>

namespace glyphmill::test {
namespace {

struct OutputRow {
    const char *name;
    std::vector<std::string> arguments;
    std::string input;
};

void PrintTo(const OutputRow &row, std::ostream *out) {
    *out << row.name;
}

// Every command that writes, with input enough to write something.
const auto kWritingCommands =
    ::testing::Values(OutputRow{"TextToBinary", {"text-to-binary"}, "Hi"},
                      OutputRow{"BinaryToText", {"binary-to-text"}, "01001000"},
                      OutputRow{"BinaryToTextStrict", {"binary-to-text", "--strict"}, "01001000"},
                      OutputRow{"NumberToBinary", {"number-to-binary", "5"}, ""});

const auto kRowName = [](const auto &info) { return std::string(info.param.name); };

class FullDisk : public ::testing::TestWithParam<OutputRow> {};

TEST_P(FullDisk, IsAnErrorWithTheSystemsReason) {
    const ToolResult result =
        ToolRun(GetParam().arguments).input(GetParam().input).outputFile("/dev/full").run();
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "glyphmill-convert: <stdout>: No space left on device\n");
}

INSTANTIATE_TEST_SUITE_P(Commands, FullDisk, kWritingCommands, kRowName);

class ClosedPipe : public ::testing::TestWithParam<OutputRow> {};

TEST_P(ClosedPipe, EndsTheToolQuietlyBySignal) {
    const ToolResult result =
        ToolRun(GetParam().arguments).input(GetParam().input).closedPipe().run();
    EXPECT_EQ(result.signal, SIGPIPE);
    EXPECT_EQ(result.err, "");
}

TEST_P(ClosedPipe, EndsTheToolQuietlyWithStatusOneWhenTheSignalIsIgnored) {
    const ToolResult result =
        ToolRun(GetParam().arguments).input(GetParam().input).closedPipe(true).run();
    EXPECT_EQ(result.signal, 0);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "");
}

INSTANTIATE_TEST_SUITE_P(Commands, ClosedPipe, kWritingCommands, kRowName);

TEST(OutputCommand, AFullDiskStopsTheToolAtTheFirstWrite) {
    const TempFolder folder;
    const std::string missing = folder.path("missing");
    const ToolResult result =
        ToolRun({"text-to-binary", "-", missing}).input("A").outputFile("/dev/full").run();
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "glyphmill-convert: <stdout>: No space left on device\n");
}

} // namespace
} // namespace glyphmill::test
