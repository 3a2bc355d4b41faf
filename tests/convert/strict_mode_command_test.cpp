#include "tool_runner.h"

#include <gtest/gtest.h>

#include <ostream>

namespace glyphmill::test {
namespace {

struct StrictRow {
    const char *name;
    std::string input;
    std::string expected; // the bytes of the good groups
    std::string message;  // "" when the input is good
};

void PrintTo(const StrictRow &row, std::ostream *out) {
    *out << row.name;
}

class StrictExamples : public ::testing::TestWithParam<StrictRow> {};

TEST_P(StrictExamples, WritesTheGoodGroupsAndStopsAtTheFirstFault) {
    const StrictRow &row = GetParam();
    const ToolResult result = ToolRun({"binary-to-text", "--strict"}).input(row.input).run();
    EXPECT_EQ(result.out, row.expected);
    EXPECT_EQ(result.err, row.message.empty() ? "" : row.message + "\n");
    EXPECT_EQ(result.status, row.message.empty() ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(
    Good, StrictExamples,
    ::testing::Values(StrictRow{"Lines", "01001000\r\n01101001\r\n", "Hi", ""},
                      StrictRow{"OneRun", "0100100001101001", "Hi", ""},
                      StrictRow{"SpacesAndTabs", " 01001000 \t\t01101001\n\n", "Hi", ""},
                      StrictRow{"LoneCarriageReturns", "01001000\r01101001\r", "Hi", ""},
                      StrictRow{"CodeZeroIsKept", "00000000\n01000001", std::string("\0A", 2), ""},
                      StrictRow{"Empty", "", "", ""},
                      StrictRow{"OnlySeparators", " \r\n\t", "", ""}),
    [](const auto &info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Faults, StrictExamples,
    ::testing::Values(
        StrictRow{"LetterInAGroup", "0100100x01101001", "",
                  "<stdin>:1:8: expected 8 binary digits, found 'x'"},
        StrictRow{"SpaceInsideAGroup", "01001000\r\n0110 1001", "H",
                  "<stdin>:2:5: expected 8 binary digits, found ' '"},
        StrictRow{"LineBreakInsideAGroup", "0100100\n0", "",
                  "<stdin>:1:8: expected 8 binary digits, found '\\n'"},
        StrictRow{"CarriageReturnInsideAGroup", "0100\r\n", "",
                  "<stdin>:1:5: expected 8 binary digits, found '\\r'"},
        StrictRow{"TabInsideAGroup", "0100\t", "",
                  "<stdin>:1:5: expected 8 binary digits, found '\\t'"},
        StrictRow{"OtherDigit", "01001000\r\n\r\n  2", "H",
                  "<stdin>:3:3: expected 8 binary digits, found '2'"},
        StrictRow{"Nul", std::string("01001000\0", 9), "H",
                  "<stdin>:1:9: expected 8 binary digits, found '\\x00'"},
        StrictRow{"HighByte", "\xE9", "", "<stdin>:1:1: expected 8 binary digits, found '\\xE9'"},
        StrictRow{"Delete", "\x7F", "", "<stdin>:1:1: expected 8 binary digits, found '\\x7F'"},
        StrictRow{"Quote", "'", "", "<stdin>:1:1: expected 8 binary digits, found '\\''"},
        StrictRow{"Backslash", "\\", "", "<stdin>:1:1: expected 8 binary digits, found '\\\\'"},
        StrictRow{"ShortLastGroup", "01001000\n0110100", "H",
                  "<stdin>:2:8: expected 8 binary digits, found end of input"},
        StrictRow{"ShortLastGroupBeforeALineBreak", "01001000\n0110100\n", "H",
                  "<stdin>:2:8: expected 8 binary digits, found '\\n'"},
        StrictRow{"NineDigits", "010010001", "H",
                  "<stdin>:1:10: expected 8 binary digits, found end of input"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(StrictMode, NamesTheFileThatHoldsTheFault) {
    const TempFolder folder;
    const std::string first = folder.write("first.txt", "01001000\n");
    const std::string second = folder.write("second.txt", "01101001\n01\n101001\n");
    const ToolResult result = ToolRun({"binary-to-text", "--strict", first, second}).run();
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "Hi");
    EXPECT_EQ(result.err, second + ":2:3: expected 8 binary digits, found '\\n'\n");
}

TEST(StrictMode, AGroupMayContinueInTheNextFile) {
    const TempFolder folder;
    const std::string first = folder.write("first", "0100");
    const std::string second = folder.write("second", "1000\n");
    const ToolResult result =
        ToolRun({"binary-to-text", "--strict", first, "-", second}).input("").run();
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "H");
}

TEST(StrictMode, AGroupSplitBetweenFilesMustStillBeWhole) {
    const TempFolder folder;
    const std::string first = folder.write("first", "01001000\n0110");
    const ToolResult result =
        ToolRun({"binary-to-text", "--strict", first, "-"}).input("10\n\n 1").run();
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "H");
    EXPECT_EQ(result.err, "<stdin>:1:3: expected 8 binary digits, found '\\n'\n");
}

TEST(StrictMode, EndOfInputIsReportedInTheLastFile) {
    const TempFolder folder;
    const std::string first = folder.write("first", "01001000\n");
    const std::string second = folder.write("second", "\n  0110");
    const ToolResult result = ToolRun({"binary-to-text", "--strict", first, second}).run();
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "H");
    EXPECT_EQ(result.err, second + ":2:7: expected 8 binary digits, found end of input\n");
}

// Lines are counted across reads: the fault is on line 40, after reads of
// every size.
TEST(StrictMode, PositionsHoldForEveryBufferSize) {
    std::string input;
    for (int line = 1; line < 40; ++line)
        input += line % 3 == 0 ? "01000001 01000010\r\n" : "01000011\n";
    input += "  0100001y";
    std::string expected;
    for (int line = 1; line < 40; ++line)
        expected += line % 3 == 0 ? "AB" : "C";
    for (const std::size_t size : {1U, 2U, 3U, 7U, 8U, 9U, 10U, 64U, 1000U}) {
        SCOPED_TRACE(size);
        const ToolResult result =
            ToolRun({"binary-to-text", "--strict"}).input(input).bufferSize(size).run();
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.out, expected);
        EXPECT_EQ(result.err, "<stdin>:40:10: expected 8 binary digits, found 'y'\n");
    }
}

} // namespace
} // namespace glyphmill::test
