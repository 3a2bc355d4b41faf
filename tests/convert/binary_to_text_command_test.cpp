#include "tool_runner.h"

#include <gtest/gtest.h>

#include <ostream>

namespace glyphmill::test {
namespace {

struct DecodeRow {
    const char *name;
    std::string input;
    std::string expected;
};

void PrintTo(const DecodeRow &row, std::ostream *out) {
    *out << row.name;
}

class BinaryToTextExamples : public ::testing::TestWithParam<DecodeRow> {};

TEST_P(BinaryToTextExamples, FollowsTheWindowsRules) {
    const ToolResult result = ToolRun({"binary-to-text"}).input(GetParam().input).run();
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, GetParam().expected);
    EXPECT_EQ(result.err, "");
}

INSTANTIATE_TEST_SUITE_P(
    Digits, BinaryToTextExamples,
    ::testing::Values(DecodeRow{"DigitsInOneRun", "0100100001101001", "Hi"},
                      DecodeRow{"LinesWithCrLf", "01001000\r\n01101001\r\n", "Hi"},
                      // The space takes a digit position: " 0100001" is 33, and the last
                      // "0" is a short group of code 0.
                      DecodeRow{"SpaceTakesAPosition", "01000001 01000010", "A!"},
                      DecodeRow{"LoneLineFeedIsAZero", "0100\n0001", "\x40\x80"},
                      DecodeRow{"LoneCarriageReturnIsAZero", "0100\r0001", "\x40\x80"},
                      DecodeRow{"CrBeforeCrLfIsAZero", "0100000\r\r\n", "\x40"},
                      DecodeRow{"LfCrIsNoPair", "0100000\n\r1000001", "\x40\x41"},
                      DecodeRow{"OtherCharactersAreZeros", "01x0002101000010", "AB"},
                      DecodeRow{"GroupOfZeroAddsNothing", "010000010000000001000010", "AB"},
                      DecodeRow{"OnlyZeros", "00000000", ""},
                      DecodeRow{"ShortLastGroupIsPaddedRight", "1", "\x80"},
                      DecodeRow{"ShortLastGroupAfterWholeOnes", "01000001011", "A\x60"},
                      DecodeRow{"LinesEndedByLfAlone", "01001000\n01101001\n", "\x48\x34\x80"},
                      DecodeRow{"Empty", "", ""}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(BinaryToTextCommand, JoinsACrLfPairSplitBetweenFiles) {
    const TempFolder folder;
    // As one input the files hold "01001000", CR LF, "01101001"; without the
    // pair the CR and LF would be two 0 digits.
    const std::string first = folder.write("first", "01001000\r");
    const std::string empty = folder.write("empty", "");
    const std::string last = folder.write("last", "\n01101001");
    const ToolResult result = ToolRun({"binary-to-text", first, empty, last}).run();
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "Hi");
}

TEST(BinaryToTextCommand, KeepsACrThatEndsTheLastFile) {
    const TempFolder folder;
    const std::string first = folder.write("first", "0100000");
    const ToolResult result = ToolRun({"binary-to-text", first, "-"}).input("\r").run();
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "\x40");
}

TEST(BinaryToTextCommand, AGroupContinuesInTheNextFile) {
    const TempFolder folder;
    const std::string first = folder.write("first", "0100");
    const std::string last = folder.write("last", "10000110\r\n1001");
    const ToolResult result = ToolRun({"binary-to-text", first, "-", last}).input("").run();
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "Hi");
}

// Every piece size puts the boundary of some read inside a CR LF pair, after
// a lone CR, or inside a group.
TEST(BinaryToTextCommand, GivesTheSameTextForEveryBufferSize) {
    std::string input;
    std::string expected;
    for (int i = 1; i < 400; ++i) {
        const auto code = static_cast<unsigned>((i * 73) & 0xFF);
        for (int bit = 7; bit >= 0; --bit)
            input.push_back((code >> bit) & 1U ? '1' : '0');
        input += i % 7 == 0 ? "\r" : i % 5 == 0 ? "\n" : "\r\n";
    }
    const ToolResult whole = ToolRun({"binary-to-text"}).input(input).run();
    ASSERT_EQ(whole.status, 0);
    ASSERT_FALSE(whole.out.empty());
    for (std::size_t size = 1; size <= 24; ++size) {
        SCOPED_TRACE(size);
        const ToolResult pieces = ToolRun({"binary-to-text"}).input(input).bufferSize(size).run();
        EXPECT_EQ(pieces.status, 0);
        EXPECT_EQ(pieces.out, whole.out);
    }
}

TEST(BinaryToTextCommand, ReportsAMissingFileAndAFolderAndGoesOn) {
    const TempFolder folder;
    const std::string good = folder.write("good", "01000001");
    const std::string missing = folder.path("missing");
    const ToolResult result = ToolRun({"binary-to-text", missing, good, folder.path("")}).run();
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "A");
    EXPECT_EQ(result.err, "glyphmill-convert: " + missing +
                              ": No such file or directory\nglyphmill-convert: " + folder.path("") +
                              ": Is a directory\n");
}

} // namespace
} // namespace glyphmill::test
