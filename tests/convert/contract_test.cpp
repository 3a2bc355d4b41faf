// What glyphmill-convert writes, reports and exits with, to the byte.
#include "run_tool.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

namespace glyphmill::test {
namespace {

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

TEST(Contract, OutputMessagesAndExitStatus) {
    const std::string decode = "binary-to-text", strict = "--strict", numbers = "number-to-binary";
    // The output, then the messages.
    const std::tuple<std::vector<std::string>, std::string, std::string, int> rows[] = {
        {{"text-to-binary"}, "Hi", "01001000\r\n01101001\r\n", 0},
        {{"text-to-binary", "-"},
         {"\x80\xFF\0\n", 4},
         "10000000\r\n11111111\r\n00000000\r\n00001010\r\n",
         0},
        {{decode}, "0100100001101001", "Hi", 0},
        {{decode}, "01000001 01000010\r\n00000000", "A!", 0},
        {{decode}, "0100000\r\r\n1", "@\x80", 0},
        {{decode, strict}, "01001000\r\n 01101001\t\r00000000", {"Hi\0", 3}, 0},
        {{decode, strict}, "01001000\r\n0110 1001", "H" + fault("<stdin>:2:5", "' '"), 1},
        {{decode, strict}, "01001000\n\n  0110100", "H" + fault("<stdin>:3:10", "end of input"), 1},
        {{decode, strict}, "0100100x", fault("<stdin>:1:8", "'x'"), 1},
        {{decode, strict}, "0100\n", fault("<stdin>:1:5", "'\\n'"), 1},
        {{decode, strict}, "01\t", fault("<stdin>:1:3", "'\\t'"), 1},
        {{decode, strict}, "\xE9", fault("<stdin>:1:1", "'\\xE9'"), 1},
        {{decode, strict}, "'", fault("<stdin>:1:1", "'\\''"), 1},
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
        {{"--version"}, "", "glyphmill-convert 2.00.0001\n", 0},
        {{}, "", usageError("no command given"), 2},
        {{"encode"}, "", usageError("unknown command 'encode'"), 2},
        {{"text-to-binary", strict},
         "",
         usageError("unknown option '--strict' for text-to-binary"),
         2},
        {{numbers, "--"}, "", usageError("number-to-binary needs at least one NUMBER"), 2},
        {{"--version", "x"}, "", usageError("'--version' takes no arguments"), 2}};
    for (const auto &[arguments, input, output, status] : rows) {
        const RunResult run = runTool(arguments, input);
        EXPECT_EQ(run.out + run.err, output) << ::testing::PrintToString(arguments) << input;
        EXPECT_EQ(run.status, status) << ::testing::PrintToString(arguments) << input;
    }
    const RunResult help = runTool({decode, "--help"});
    EXPECT_EQ(help.out.rfind(kUsage, 0), 0U) << help.out;
    EXPECT_EQ(help.status, 0);
}

TEST(Contract, FilesAreOneInputAndUnreadableOnesAreReported) {
    const TempFolder folder;
    const std::string before = folder.write("before", "0100\r"), missing = folder.path("missing");
    const std::string after = folder.write("after", "\n0001\r\n01000010");
    const std::string failures =
        "glyphmill-convert: " + missing +
        ": No such file or directory\nglyphmill-convert: " + folder.path() + ": Is a directory\n";
    // A group and a CR LF pair go on across files, past the unreadable ones.
    RunResult run = runTool({"binary-to-text", before, missing, folder.path(), "-", after});
    EXPECT_EQ(run.out + run.err, "AB" + failures);
    EXPECT_EQ(run.status, 1);
    run = runTool({"text-to-binary", missing, folder.path(), before, "-"}, "!");
    EXPECT_EQ(run.out + run.err,
              "00110000\r\n00110001\r\n00110000\r\n00110000\r\n00001101\r\n00100001\r\n" +
                  failures);
    EXPECT_EQ(run.status, 1);
    run = runTool({"binary-to-text", "/proc/self/mem", after});
    EXPECT_EQ(run.err, "glyphmill-convert: /proc/self/mem: Input/output error\n");
    EXPECT_EQ(run.status, 1);
    // Strict positions count in each file apart; a group may go on.
    const std::string first = folder.write("first", "0100");
    const std::string second = folder.write("second", "1000\n01101001\n\n  01\n");
    run = runTool({"binary-to-text", "--strict", first, "-", second});
    EXPECT_EQ(run.out + run.err, "Hi" + fault(second + ":4:5", "'\\n'"));
    EXPECT_EQ(run.status, 1);
    run = runTool({"binary-to-text", "--strict", "-", first}, "01000001\n");
    EXPECT_EQ(run.out + run.err, "A" + fault(first + ":1:5", "end of input"));
}

} // namespace
} // namespace glyphmill::test
