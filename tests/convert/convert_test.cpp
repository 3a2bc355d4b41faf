// glyphmill-convert: what it writes, reports and exits with, to the byte, on
// files, pipes and reads of any size. Its library runs in this process; the
// program runs where only a process shows the answer.
#include "convert/buffer_sizes.h"
#include "tests/convert/run_in_process.h"
#include "tests/support/child_process.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <bitset>
#include <cstdlib>
#include <random>
#include <vector>

namespace glyphmill::test {
namespace {

using namespace std::string_literals;

const std::string kUsage = "Usage: glyphmill-convert text-to-binary [--separator=NAME] [FILE...]\n"
                           "       glyphmill-convert binary-to-text [--strict] [FILE...]\n"
                           "       glyphmill-convert number-to-binary NUMBER...\n"
                           "       glyphmill-convert --help | --version\n";

std::string usageError(const std::string &problem) {
    return "glyphmill-convert: " + problem + "\n" + kUsage +
           "Try 'glyphmill-convert --help' for more information.\n";
}

std::string refused(const std::string &number, const std::string &reason = "Type mismatch") {
    return "glyphmill-convert: number \"" + number + "\" refused: " + reason + "\n";
}

std::string fault(const std::string &place, const std::string &found,
                  const std::string &file = "<stdin>") {
    return file + ":" + place + ": expected 8 binary digits, found " + found + "\n";
}

std::string cannotRead(const std::string &file, const std::string &reason) {
    return "glyphmill-convert: " + file + ": " + reason + "\n";
}

TEST(Convert, OutputMessagesAndExitStatusAtAnyReadSize) {
    const TempFolder folder;
    const std::string one = folder.write("one", "0100\r"),
                      two = folder.write("two", "\n0001\r\n01000010");
    const std::string three = folder.write("three", "0100"),
                      four = folder.write("four", "1000\n01101001\n\n  01\n");
    const std::string missing = folder.path("missing"), dir = folder.path();
    const std::string unreadable =
        cannotRead(missing, "No such file or directory") + cannotRead(dir, "Is a directory");
    const std::string encode = "text-to-binary", decode = "binary-to-text", strict = "--strict",
                      numbers = "number-to-binary";
    const std::string kNames = ": NAME is crlf, lf, space or none";
    // The arguments and the input; the output followed by the messages, and the exit status.
    const std::tuple<std::vector<std::string>, std::string, std::string, int> rows[] = {
        {{encode}, "Hi", "01001000\r\n01101001\r\n", 0},
        {{encode, "-"}, {"\x80\xFF\0", 3}, "10000000\r\n11111111\r\n00000000\r\n", 0},
        // The layouts; the last separator named counts.
        {{encode, "--separator=lf"}, "Hi", "01001000\n01101001\n", 0},
        {{encode, "-s", "space", "/dev/null", "-"}, "Hi!", "01001000 01101001 00100001\n", 0},
        {{encode, "--separator", "space", "/dev/null"}, "", "", 0},
        {{encode, "-snone"}, "Hi", "0100100001101001", 0},
        {{encode, "-snone", "--separator=crlf"}, "A", "01000001\r\n", 0},
        {{decode}, "0100100001101001", "Hi", 0},
        {{decode}, "01000001 01000010\r\n00000000", "A!", 0},
        // A space or a lone LF takes a digit position.
        {{decode}, "01001000 01101001\n", "H4\x80", 0},
        {{decode, strict}, "01001000\r\n 01101001\t\r00000000", {"Hi\0", 3}, 0},
        {{decode, strict}, "01001000\r\n0110 1001", "H" + fault("2:5", "' '"), 1},
        {{decode, strict}, "01001000\n\n  0110100", "H" + fault("3:10", "end of input"), 1},
        {{decode, strict}, "0100\n", fault("1:5", "'\\n'"), 1},
        {{decode, strict}, "\xE9", fault("1:1", "'\\xE9'"), 1},
        // A lone CR is a separator after a full group.
        {{decode, strict}, "01000001\r01000010\r\n01000011", "ABC", 0},
        {{decode, strict}, "01000001\r0100\r", "A" + fault("1:14", "'\\r'"), 1},
        // The fault first in a piece of 1, 8 or 16 bytes.
        {{decode, strict}, "0100000101000010y", "AB" + fault("1:17", "'y'"), 1},
        {{numbers, "5", "5.9", " 0 ", "1e3"}, "7", "101\n101\n0\n1111101000\n", 0},
        {{numbers, "1073741825", "4"}, "", "100\n" + refused("1073741825", "Overflow"), 1},
        {{numbers, "-3", "abc"}, "", refused("-3") + refused("abc"), 1},
        // Files are one input: a group and a CR LF pair go on in the next
        // file, past the unreadable ones; strict positions count per file.
        {{decode, one, missing, dir, "-", two}, "", "AB" + unreadable, 1},
        {{encode, missing, dir, "-"}, "!", "00100001\r\n" + unreadable, 1},
        {{decode, "/proc/self/mem"}, "", cannotRead("/proc/self/mem", "Input/output error"), 1},
        {{decode, strict, three, "-", four}, "", "Hi" + fault("4:5", "'\\n'", four), 1},
        {{decode, strict, "-", three}, "01000001\n", "A" + fault("1:5", "end of input", three), 1},
        {{"--version"}, "", "glyphmill-convert 2.00.0001\n", 0},
        {{}, "", usageError("no command given"), 2},
        {{"encode"}, "", usageError("unknown command 'encode'"), 2},
        {{encode, strict}, "", usageError("unknown option '--strict' for text-to-binary"), 2},
        {{encode, "--separator=tab"}, "", usageError("unknown separator 'tab'" + kNames), 2},
        {{encode, "-s"}, "", usageError("option '-s' needs a NAME" + kNames), 2},
        {{decode, "-s", "lf"}, "", usageError("unknown option '-s' for binary-to-text"), 2},
        {{numbers, "--"}, "", usageError("number-to-binary needs at least one NUMBER"), 2}};
    for (const std::size_t size : {std::size_t{1}, std::size_t{7}, std::size_t{8}, std::size_t{16},
                                   convert::kDecodeBufferSize}) {
        for (const auto &[arguments, input, output, status] : rows) {
            const InProcessRun run = runInProcess(arguments, input, size);
            EXPECT_EQ(std::pair(run.out + run.err, run.status), std::pair(output, status))
                << ::testing::PrintToString(arguments) << " " << size;
        }
    }
    EXPECT_EQ(runInProcess({decode, "--help"}, "", 9).out.rfind(kUsage, 0), 0U);
}

// The program run by the shell with its redirections as a user types them:
// the exit statuses, and inputs that are not what they seem (the output
// file or pipe itself, a closed standard input, a short group before a file
// that gives nothing).
TEST(Convert, ExitStatusOwnOutputAndAClosedInput) {
    const std::string a = "printf A >a.txt", outputFile = ": input file is output file\n",
                      closed = cannotRead("<stdin>", "Bad file descriptor");
    // Set-up, operands and redirections, standard error, status, the file
    // standard output went to and what it holds afterwards, and a pipe.
    const std::vector<std::vector<std::string>> rows = {
        {":", "--version >o", "", "0", "o", "glyphmill-convert 2.00.0001\n"},
        {":", "encode >o", usageError("unknown command 'encode'"), "2", "o", ""},
        {a, "text-to-binary a.txt /dev/stdout", "glyphmill-convert: /dev/stdout" + outputFile, "1",
         "o", "01000001\r\n", "| cat >o"},
        {a, "text-to-binary a.txt >>a.txt", cannotRead("a.txt", "input file is output file"), "1",
         "a.txt", "A"},
        {a, "text-to-binary a.txt /proc/self/fd/1 >o",
         "glyphmill-convert: /proc/self/fd/1" + outputFile, "1", "o", "01000001\r\n"},
        {"printf 01000001 >a.txt", "binary-to-text - <a.txt >>a.txt",
         "glyphmill-convert: <stdin>" + outputFile, "1", "a.txt", "01000001"},
        {a, "text-to-binary /dev/null a.txt >/dev/null", "", "0", "a.txt", "A"},
        {a, "text-to-binary a.txt - <&- >o", closed, "1", "o", "01000001\r\n"},
        {"printf 0100 >a4.txt && mkdir d && : >e.txt", "binary-to-text --strict a4.txt d e.txt >o",
         cannotRead("d", "Is a directory") + fault("1:5", "end of input", "a4.txt"), "1", "o", ""}};
    for (const auto &row : rows) {
        SCOPED_TRACE(row[1]);
        const TempFolder folder;
        // The file size limit stops a tool that feeds on its own output.
        // Time stops one that waits for its own output through a pipe.
        const std::string script = "cd '" + folder.path() + "' && ulimit -f 2000 && " + row[0] +
                                   " && { timeout 10 '" GLYPHMILL_CONVERT_PATH "' " + row[1] +
                                   " 2>errors; echo $? >status; } " +
                                   (row.size() > 6 ? row[6] : "");
        ASSERT_EQ(std::system(script.c_str()), 0);
        EXPECT_EQ(TempFolder::read(folder.path("errors")), row[2]);
        EXPECT_EQ(TempFolder::read(folder.path("status")), row[3] + "\n");
        EXPECT_EQ(TempFolder::read(folder.path(row[4])), row[5]);
    }
}

// Each read size puts a read boundary inside some CR LF pair, after a lone
// CR or LF, inside a group and inside a strict line.
TEST(Convert, AnswersDoNotDependOnTheSizeOfReads) {
    std::string digits, strict, payload;
    std::mt19937 random(21);
    for (int i = 1; i < 300; ++i) {
        payload += static_cast<char>(random());
        digits += std::bitset<8>(i * 73).to_string() + (i % 7 ? i % 5 ? "\r\n" : "\n" : "\r");
        strict += i >= 40 ? "" : i % 3 ? "01000011\n" : "01000001 01000010\r\n";
    }
    const std::string decoded = runInProcess({"binary-to-text"}, digits, 1 << 20).out;
    for (std::size_t size = 1; size <= 24; ++size) {
        EXPECT_EQ(runInProcess({"binary-to-text"}, digits, size).out, decoded) << size;
        EXPECT_EQ(runInProcess({"binary-to-text", "--strict"}, strict + "  0100001y", size).err,
                  fault("40:10", "'y'"))
            << size;
        // Random bytes in each layout come back from binary-to-text --strict.
        for (const std::string name : {"crlf", "lf", "space", "none"}) {
            const std::string text =
                runInProcess({"text-to-binary", "-s", name}, payload, size).out;
            EXPECT_EQ(runInProcess({"binary-to-text", "--strict"}, text, 25 - size).out, payload)
                << name << size;
        }
    }
}

TEST(Convert, LargeInputTakesNoMoreMemoryAndFailedOutputEndsTheTool) {
    const TempFolder folder;
    std::string digits = "01000001\r\n";
    while (digits.size() < (32U << 20))
        digits += digits;
    const std::string large = folder.write("large", digits);
    const auto full = std::pair("glyphmill-convert: <stdout>: No space left on device\n"s, 1);
    for (std::vector<std::string> command :
         {std::vector<std::string>{GLYPHMILL_CONVERT_PATH, "text-to-binary"},
          {GLYPHMILL_CONVERT_PATH, "binary-to-text"},
          {GLYPHMILL_CONVERT_PATH, "binary-to-text", "--strict"}}) {
        const RunResult one = runProgram(command, "01000001\r\n", "/dev/null");
        command.push_back(large);
        const RunResult all = runProgram(command, {}, "/dev/null");
        EXPECT_LT(all.peakMemoryKiB, one.peakMemoryKiB + 8 * 1024) << command[1];
        RunResult failed = runProgram(command, {}, "/dev/full");
        EXPECT_EQ(std::pair(failed.err, failed.status), full) << command[1];
        // A reader that went away is no error to report.
        failed = runProgram(command, {}, kClosedPipe);
        EXPECT_EQ(std::pair(failed.err, failed.status), std::pair(""s, 1)) << command[1];
    }
    const RunResult failed =
        runProgram({GLYPHMILL_CONVERT_PATH, "number-to-binary", "5"}, {}, "/dev/full");
    EXPECT_EQ(std::pair(failed.err, failed.status), full);
}

} // namespace
} // namespace glyphmill::test
