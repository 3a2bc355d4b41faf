#include "tool_runner.h"

#include <gtest/gtest.h>

#include <ostream>

namespace glyphmill::test {
namespace {

struct NumberRow {
    const char *name;
    std::string number;
    std::string digits;
};

void PrintTo(const NumberRow &row, std::ostream *out) {
    *out << row.name;
}

class NumberExamples : public ::testing::TestWithParam<NumberRow> {};

TEST_P(NumberExamples, WritesTheDigitsOfTheWholePart) {
    const ToolResult result = ToolRun({"number-to-binary", GetParam().number}).run();
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, GetParam().digits + "\n");
    EXPECT_EQ(result.err, "");
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, NumberExamples,
    ::testing::Values(NumberRow{"Five", "5", "101"}, NumberRow{"Four", "4", "100"},
                      NumberRow{"One", "1", "1"}, NumberRow{"Zero", "0", "0"},
                      NumberRow{"ByteMaximum", "255", "11111111"},
                      NumberRow{"FractionDropped", "5.9", "101"},
                      NumberRow{"HalfIsZero", ".5", "0"}, NumberRow{"TrailingPoint", "6.", "110"},
                      NumberRow{"Exponent", "1e3", "1111101000"},
                      NumberRow{"Spaces", "  7  ", "111"}, NumberRow{"PlusSign", "+2", "10"},
                      NumberRow{"NegativeZero", "-0", "0"},
                      NumberRow{"Largest", "1073741824", "1" + std::string(30, '0')},
                      NumberRow{"BelowLargest", "1073741823", std::string(30, '1')}),
    [](const auto &info) { return std::string(info.param.name); });

struct RefusedRow {
    const char *name;
    std::string number;
    const char *description;
};

void PrintTo(const RefusedRow &row, std::ostream *out) {
    *out << row.name;
}

class RefusedNumbers : public ::testing::TestWithParam<RefusedRow> {};

TEST_P(RefusedNumbers, NameTheNumberAndTheReason) {
    const ToolResult result = ToolRun({"number-to-binary", GetParam().number}).run();
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "glyphmill-convert: number \"" + GetParam().number +
                              "\" refused: " + GetParam().description + "\n");
}

INSTANTIATE_TEST_SUITE_P(Numbers, RefusedNumbers,
                         ::testing::Values(RefusedRow{"AboveLargest", "1073741825", "Overflow"},
                                           RefusedRow{"LargestPlusAFraction", "1073741824.5",
                                                      "Overflow"},
                                           RefusedRow{"TooLargeForADouble", "1e400", "Overflow"},
                                           RefusedRow{"Negative", "-3", "Type mismatch"},
                                           RefusedRow{"NegativeFraction", "-0.5", "Type mismatch"},
                                           RefusedRow{"Word", "abc", "Type mismatch"},
                                           RefusedRow{"Empty", "", "Type mismatch"},
                                           RefusedRow{"Blank", "   ", "Type mismatch"},
                                           RefusedRow{"Sign", "-", "Type mismatch"},
                                           RefusedRow{"NotANumber", "nan", "Type mismatch"},
                                           RefusedRow{"Infinity", "inf", "Type mismatch"},
                                           RefusedRow{"Hexadecimal", "0x10", "Type mismatch"},
                                           RefusedRow{"Comma", "1,5", "Type mismatch"},
                                           RefusedRow{"Tab", "\t5", "Type mismatch"},
                                           RefusedRow{"NonAscii", "\xD9\xA5", "Type mismatch"}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(NumberToBinaryCommand, ConvertsTheGoodNumbersAmongRefusedOnes) {
    const ToolResult result =
        ToolRun({"number-to-binary", "5", "abc", "1073741825", "-3", "--", "4", "-x"}).run();
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "101\n100\n");
    EXPECT_EQ(result.err, "glyphmill-convert: number \"abc\" refused: Type mismatch\n"
                          "glyphmill-convert: number \"1073741825\" refused: Overflow\n"
                          "glyphmill-convert: number \"-3\" refused: Type mismatch\n"
                          "glyphmill-convert: number \"-x\" refused: Type mismatch\n");
}

TEST(NumberToBinaryCommand, ReadsNoStandardInput) {
    const ToolResult result = ToolRun({"number-to-binary", "2"}).input("7\n").run();
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "10\n");
}

} // namespace
} // namespace glyphmill::test
