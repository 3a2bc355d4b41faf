#include "tool_runner.h"

#include <gtest/gtest.h>

#include <ostream>

namespace glyphmill::test {
namespace {

// The lines of digits a byte string should give, built bit by bit.
std::string linesOf(const std::string &bytes) {
    std::string lines;
    for (const char byte : bytes) {
        for (int bit = 7; bit >= 0; --bit)
            lines.push_back((static_cast<unsigned char>(byte) >> bit) & 1U ? '1' : '0');
        lines += "\r\n";
    }
    return lines;
}

std::string everyByte() {
    std::string bytes;
    for (int code = 0; code < 256; ++code)
        bytes.push_back(static_cast<char>(code));
    return bytes;
}

struct EncodeRow {
    const char *name;
    std::string input;
    std::string expected;
};

void PrintTo(const EncodeRow &row, std::ostream *out) {
    *out << row.name;
}

class TextToBinaryExamples : public ::testing::TestWithParam<EncodeRow> {};

TEST_P(TextToBinaryExamples, WritesEightDigitsAndCrLfPerByte) {
    const ToolResult result = ToolRun({"text-to-binary"}).input(GetParam().input).run();
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, GetParam().expected);
    EXPECT_EQ(result.err, "");
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, TextToBinaryExamples,
    ::testing::Values(EncodeRow{"Hi", "Hi", "01001000\r\n01101001\r\n"},
                      EncodeRow{"Space", " ", "00100000\r\n"},
                      EncodeRow{"CarriageReturnAndLineFeed", "\r\n", "00001101\r\n00001010\r\n"},
                      EncodeRow{"Nul", std::string(1, '\0'), "00000000\r\n"},
                      EncodeRow{"Euro", "\x80", "10000000\r\n"},
                      EncodeRow{"AllOnes", "\xFF", "11111111\r\n"}, EncodeRow{"Empty", "", ""}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(TextToBinaryCommand, ConvertsEveryByteValue) {
    const ToolResult result = ToolRun({"text-to-binary"}).input(everyByte()).run();
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, linesOf(everyByte()));
}

TEST(TextToBinaryCommand, JoinsSeveralFilesAndStandardInputInOrder) {
    const TempFolder folder;
    const std::string first = folder.write("first", "A");
    const std::string empty = folder.write("empty", "");
    const std::string last = folder.write("last", "BC");
    const ToolResult result =
        ToolRun({"text-to-binary", first, "-", empty, last}).input("\xE9\n").run();
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, linesOf("A\xE9\nBC"));
    EXPECT_EQ(result.err, "");
}

TEST(TextToBinaryCommand, ReportsAMissingFileAndConvertsTheOthers) {
    const TempFolder folder;
    const std::string good = folder.write("good", "A");
    const std::string missing = folder.path("missing");
    const ToolResult result = ToolRun({"text-to-binary", missing, good}).run();
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, linesOf("A"));
    EXPECT_EQ(result.err, "glyphmill-convert: " + missing + ": No such file or directory\n");
}

TEST(TextToBinaryCommand, ReportsAFolder) {
    const TempFolder folder;
    const std::string good = folder.write("good", "A");
    const ToolResult result = ToolRun({"text-to-binary", good, folder.path("")}).run();
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, linesOf("A"));
    EXPECT_EQ(result.err, "glyphmill-convert: " + folder.path("") + ": Is a directory\n");
}

TEST(TextToBinaryCommand, GivesTheSameLinesForEveryBufferSize) {
    std::string input;
    for (int i = 0; i < 3000; ++i)
        input.push_back(static_cast<char>((i * 37 + i / 256) & 0xFF));
    for (const std::size_t size : {1U, 2U, 15U, 16U, 17U, 100U, 4096U}) {
        SCOPED_TRACE(size);
        const ToolResult result = ToolRun({"text-to-binary"}).input(input).bufferSize(size).run();
        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(result.out, linesOf(input));
    }
}

} // namespace
} // namespace glyphmill::test
