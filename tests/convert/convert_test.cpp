// glyphmill-convert as a user runs it: what it writes, reports and exits
// with, to the byte, on files, pipes and reads of any size.
#include "run_tool.h"
#include "stepwise_model.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <bitset>
#include <random>

namespace glyphmill::test {
namespace {

using namespace std::string_literals;

const std::string kUsage = "Usage: glyphmill-convert text-to-binary [FILE...]\n"
                           "       glyphmill-convert binary-to-text [--strict] [FILE...]\n"
                           "       glyphmill-convert number-to-binary NUMBER...\n"
                           "       glyphmill-convert --help | --version\n";

std::string usageError(const std::string &problem) {
    return "glyphmill-convert: " + problem + "\n" + kUsage +
           "Try 'glyphmill-convert --help' for more information.\n";
}

std::string refused(const std::string &number, const std::string &reason) {
    return "glyphmill-convert: number \"" + number + "\" refused: " + reason + "\n";
}

std::string fault(const std::string &place, const std::string &found) {
    return place + ": expected 8 binary digits, found " + found + "\n";
}

std::string linesOf(const std::string &bytes) {
    std::string lines;
    for (const char byte : bytes)
        lines += std::bitset<8>(static_cast<unsigned char>(byte)).to_string() + "\r\n";
    return lines;
}

TEST(Convert, OutputMessagesAndExitStatus) {
    const TempFolder folder;
    const std::string before = folder.write("before", "0100\r"), missing = folder.path("missing");
    const std::string after = folder.write("after", "\n0001\r\n01000010"), dir = folder.path();
    const std::string first = folder.write("first", "0100");
    const std::string second = folder.write("second", "1000\n01101001\n\n  01\n");
    const std::string unreadable = "glyphmill-convert: " + missing +
                                   ": No such file or directory\nglyphmill-convert: " + dir +
                                   ": Is a directory\n";
    const std::string decode = "binary-to-text", strict = "--strict", numbers = "number-to-binary";
    // The input, then the output followed by the messages, and the status.
    const std::tuple<std::vector<std::string>, std::string, std::string, int> rows[] = {
        {{"text-to-binary"}, "Hi", "01001000\r\n01101001\r\n", 0},
        {{"text-to-binary", "-"}, {"\x80\xFF\0\n", 4}, linesOf({"\x80\xFF\0\n", 4}), 0},
        {{decode}, "0100100001101001", "Hi", 0},
        {{decode}, "01000001 01000010\r\n00000000", "A!", 0},
        {{decode}, "0100000\r\r\n1", "@\x80", 0},
        {{decode, strict}, "01001000\r\n 01101001\t\r00000000", {"Hi\0", 3}, 0},
        {{decode, strict}, "01001000\r\n0110 1001", "H" + fault("<stdin>:2:5", "' '"), 1},
        {{decode, strict}, "01001000\n\n  0110100", "H" + fault("<stdin>:3:10", "end of input"), 1},
        {{decode, strict}, "0100100x", fault("<stdin>:1:8", "'x'"), 1},
        {{decode, strict}, "0100\n", fault("<stdin>:1:5", "'\\n'"), 1},
        {{decode, strict}, "\xE9", fault("<stdin>:1:1", "'\\xE9'"), 1},
        {{decode, strict}, "\\", fault("<stdin>:1:1", "'\\\\'"), 1},
        {{numbers, "5", "5.9", " 0 ", "1e3", "1073741824"},
         "7",
         "101\n101\n0\n1111101000\n1" + std::string(30, '0') + "\n",
         0},
        {{numbers, "1073741825", "4", "-3", "abc", "--", "-x"},
         "",
         "100\n" + refused("1073741825", "Overflow") + refused("-3", "Type mismatch") +
             refused("abc", "Type mismatch") + refused("-x", "Type mismatch"),
         1},
        // Files are one input: a group and a CR LF pair go on in the next
        // file, past the unreadable ones; strict positions count per file.
        {{decode, before, missing, dir, "-", after}, "", "AB" + unreadable, 1},
        {{"text-to-binary", missing, dir, before, "-"}, "!", linesOf("0100\r!") + unreadable, 1},
        {{decode, "/proc/self/mem"},
         "",
         "glyphmill-convert: /proc/self/mem: Input/output error\n",
         1},
        {{decode, strict, first, "-", second}, "", "Hi" + fault(second + ":4:5", "'\\n'"), 1},
        {{decode, strict, "-", first},
         "01000001\n",
         "A" + fault(first + ":1:5", "end of input"),
         1},
        {{"--version"}, "", "glyphmill-convert 2.00.0001\n", 0},
        {{}, "", usageError("no command given"), 2},
        {{"encode"}, "", usageError("unknown command 'encode'"), 2},
        {{"text-to-binary", strict},
         "",
         usageError("unknown option '--strict' for text-to-binary"),
         2},
        {{numbers, "--"}, "", usageError("number-to-binary needs at least one NUMBER"), 2}};
    for (const auto &[arguments, input, output, status] : rows) {
        const RunResult run = runTool(arguments, input);
        EXPECT_EQ(std::pair(run.out + run.err, run.status), std::pair(output, status))
            << ::testing::PrintToString(arguments);
    }
    const RunResult help = runTool({decode, "--help"});
    EXPECT_EQ(std::pair(help.out.rfind(kUsage, 0), help.status), std::pair(std::size_t{0}, 0));
}

// Each read size puts a read boundary inside some CR LF pair, after a lone
// CR or LF, inside a group and inside a strict line.
TEST(Convert, AnswersDoNotDependOnTheSizeOfReads) {
    std::string digits, strict, bytes;
    std::mt19937 random(9);
    for (int i = 1; i < 300; ++i) {
        digits += std::bitset<8>(i * 73).to_string() + (i % 7 ? i % 5 ? "\r\n" : "\n" : "\r");
        strict += i >= 40 ? "" : i % 3 ? "01000011\n" : "01000001 01000010\r\n";
        bytes += static_cast<char>(i % 4 ? random() : i % 8 ? 0 : '\r');
    }
    const std::u16string text =
        model::binaryToText(std::u16string(digits.begin(), digits.end())).answer;
    for (int size = 1; size <= 24; ++size) {
        const std::vector<std::string> reads{"GLYPHMILL_CONVERT_BUFFER=" + std::to_string(size)};
        std::u16string decoded;
        for (const unsigned char code : runTool({"binary-to-text"}, digits, reads).out)
            decoded += model::codePage(code);
        EXPECT_EQ(decoded, text) << size;
        EXPECT_EQ(runTool({"binary-to-text", "--strict"}, strict + "  0100001y", reads).err,
                  fault("<stdin>:40:10", "'y'"))
            << size;
        const std::string lines = runTool({"text-to-binary"}, bytes, reads).out;
        EXPECT_EQ(runTool({"binary-to-text", "--strict"}, lines, reads).out, bytes) << size;
    }
}

TEST(Convert, LargeInputTakesNoMoreMemoryAndFailedOutputEndsTheTool) {
    const TempFolder folder;
    std::string digits = "01000001\r\n";
    while (digits.size() < (32U << 20))
        digits += digits;
    const std::string large = folder.write("large", digits);
    const auto full = std::pair("glyphmill-convert: <stdout>: No space left on device\n"s, 1);
    for (std::vector<std::string> command : {std::vector<std::string>{"text-to-binary"},
                                             {"binary-to-text"},
                                             {"binary-to-text", "--strict"}}) {
        const RunResult one = runTool(command, "01000001\r\n", {}, "/dev/null");
        command.push_back(large);
        const RunResult all = runTool(command, {}, {}, "/dev/null");
        EXPECT_LT(all.peakMemoryKiB, one.peakMemoryKiB + 8 * 1024) << command[0];
        RunResult failed = runTool(command, {}, {}, "/dev/full");
        EXPECT_EQ(std::pair(failed.err, failed.status), full) << command[0];
        // A reader that went away is no error to report.
        failed = runTool(command, {}, {}, kClosedPipe);
        EXPECT_EQ(std::pair(failed.err, failed.status), std::pair(""s, 1)) << command[0];
    }
    const RunResult failed = runTool({"number-to-binary", "5"}, {}, {}, "/dev/full");
    EXPECT_EQ(std::pair(failed.err, failed.status), full);
}

} // namespace
} // namespace glyphmill::test
