// glyphmill-convert: what it writes, reports and exits with, to the byte, on
// files, pipes and reads of any size. Its library runs in this process; the
// program runs where only a process shows the answer.
#include "convert/buffer_sizes.h"
#include "fuzz/fuzz_harness.h"
#include "tests/convert/run_in_process.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bitset>
#include <cstdlib>
#include <random>
#include <vector>

namespace glyphmill::test {
namespace {

using namespace std::string_literals;

const std::string kUsage =
    "Usage: glyphmill-convert text-to-binary [-s NAME] [--encoding=NAME] [FILE...]\n"
    "       glyphmill-convert binary-to-text [--window-rules] [--encoding=NAME]\n"
    "                                        [FILE...]\n"
    "       glyphmill-convert number-to-binary [NUMBER...]\n"
    "       glyphmill-convert --help | --version\n";

std::string usageError(const std::string &problem) {
    return "glyphmill-convert: " + problem + "\n" + kUsage +
           "Try 'glyphmill-convert --help' for more information.\n";
}

std::string refused(const std::string &number, const std::string &reason = "Type mismatch") {
    return "glyphmill-convert: number \"" + number + "\" refused: " + reason + "\n";
}

const std::string kTooLong = refused(std::string(32, '1') + "...", "longer than 65536 characters");

// The digits of each byte, most significant first.
std::string bits(const std::string &codes) {
    return codes.empty() ? ""
                         : std::bitset<8>(static_cast<unsigned char>(codes[0])).to_string() +
                               bits(codes.substr(1));
}

// The report of a fault in the input.
const std::string kExpected = "expected 8 binary digits, found ",
                  kAtEnd = kExpected + "end of input";
std::string at(const std::string &place, const std::string &message,
               const std::string &file = "<stdin>") {
    return file + ":" + place + ": " + message + "\n";
}

std::string cannotRead(const std::string &file, const std::string &reason) {
    return "glyphmill-convert: " + file + ": " + reason + "\n";
}

TEST(Convert, OutputMessagesExitStatusAndRoundTripAtAnyReadSize) {
    const TempFolder folder;
    const std::string cut = folder.write("cut", "\xA9"), one = folder.write("one", "0100\r"),
                      two = folder.write("two", "\n0001\r\n01000010");
    const std::string three = folder.write("three", "0100"),
                      four = folder.write("four", "1000\n01101001\n\n  01\n");
    const std::string missing = folder.path("missing"), dir = folder.path();
    const std::string unreadable =
        cannotRead(missing, "No such file or directory") + cannotRead(dir, "Is a directory");
    const std::string encode = "text-to-binary", decode = "binary-to-text", strict = "--strict",
                      numbers = "number-to-binary", window = "--window-rules",
                      utf8 = "--encoding=utf-8", codings = ": NAME is bytes or utf-8";
    const std::string kNames = ": NAME is crlf, lf, space or none", ones(65537, '1');
    const std::string forty(40, 'a'), listed = " 5\t-3\n\n1e3 " + ones + " 4";
    const std::vector<std::string> e8 = {encode, utf8, "-snone"};
    // The arguments and the input; the output followed by the messages, and the exit status.
    const std::tuple<std::vector<std::string>, std::string, std::string, int> rows[] = {
        {{encode}, "Hi", "01001000\n01101001\n", 0},
        // The layouts; the last separator named counts.
        {{encode, "--separator=crlf"}, "Hi", "01001000\r\n01101001\r\n", 0},
        {{encode, "-s", "space", "/dev/null", "-"}, "Hi!", "01001000 01101001 00100001\n", 0},
        {{encode, "--separator", "space", "/dev/null"}, "", "", 0},
        {{encode, "-snone", "--separator=lf"}, "A", "01000001\n", 0},
        // By the window's rules a space or a lone LF takes a digit position.
        {{decode, window}, "01001000 01101001\n", "H4\x80", 0},
        {{decode, window, strict}, "01001000\r\n 01101001\t\r00000000", {"Hi\0", 3}, 0},
        {{decode}, "01001000\r\n0110 1001", "H" + at("2:5", kExpected + "' '"), 1},
        {{decode}, "01001000\n\n  0110100", "H" + at("3:10", kAtEnd), 1},
        {{decode}, "\xE9", at("1:1", kExpected + "'\\xE9'"), 1},
        // A lone CR is a separator after a full group.
        {{decode}, "01000001\r01000010\r\n01000011", "ABC", 0},
        {{decode}, "01000001\r0100\r", "A" + at("1:14", kExpected + "'\\r'"), 1},
        // The fault first in a piece of 1, 8 or 16 bytes.
        {{decode, strict}, "0100000101000010y", "AB" + at("1:17", kExpected + "'y'"), 1},
        // UTF-8 as the window reads it; each fault at the start, in the
        // middle or at the end of some read, or cut between two.
        {e8, "\xCE\xA9", at("1:1", "character '\xCE\xA9' (U+03A9) has no 8-bit code"), 1},
        {e8, "\n\xC3\xA9\xF0\x9F\x98\x80",
         bits("\n\xE9") + at("2:3", "character '\xF0\x9F\x98\x80' (U+1F600) has no 8-bit code"), 1},
        {e8, forty + "abcdefghijklmno\xFF" + forty,
         bits(forty + "abcdefghijklmno") + at("1:56", "'\\xFF' is no UTF-8 character"), 1},
        {e8, forty + "\xC2\x80" + forty,
         bits(forty) + at("1:41", "character '\xC2\x80' (U+0080) has no 8-bit code"), 1},
        {e8, forty + "\xA9" + forty, bits(forty) + at("1:41", "'\\xA9' is no UTF-8 character"), 1},
        {e8, "\xC0\x80", at("1:1", "'\\xC0' is no UTF-8 character"), 1},
        {e8, "\xED\xA0\x80", at("1:1", "'\\xED' is no UTF-8 character"), 1},
        {e8, "A\xE2\x82!", bits("A") + at("1:2", "'\\xE2\\x82' is no UTF-8 character"), 1},
        {e8, "A\xF0\x9F\x98", bits("A") + at("1:2", "'\\xF0\\x9F\\x98' is no UTF-8 character"), 1},
        {{encode, utf8, "-", cut}, "\xC3", at("1:1", "'\\xC3' is no UTF-8 character"), 1},
        {{numbers, "5", "5.9", " 0 ", "1e3"}, "7", "101\n101\n0\n1111101000\n", 0},
        {{numbers, "1073741825", "4"}, "", "100\n" + refused("1073741825", "Overflow"), 1},
        {{numbers, "-3", "abc"}, "", refused("-3") + refused("abc"), 1},
        // With no NUMBER, the numbers of standard input.
        {{numbers, "--"}, listed, "101\n1111101000\n100\n" + refused("-3") + kTooLong, 1},
        // Files are one input: a group and a CR LF pair go on in the next
        // file, past the unreadable ones; positions count per file.
        {{decode, window, one, missing, dir, "-", two}, "", "AB" + unreadable, 1},
        {{decode, "/proc/self/mem"}, "", cannotRead("/proc/self/mem", "Input/output error"), 1},
        {{decode, three, "-", four}, "", "Hi" + at("4:5", kExpected + "'\\n'", four), 1},
        // A short group before files that give nothing is a fault of its own file.
        {{decode, three, missing, dir, "/dev/null"}, "", unreadable + at("1:5", kAtEnd, three), 1},
        {{"--version"}, "", "glyphmill-convert 2.00.0001\n", 0},
        {{}, "", usageError("no command given"), 2},
        {{"encode"}, "", usageError("unknown command 'encode'"), 2},
        {{encode, strict}, "", usageError("unknown option '--strict' for text-to-binary"), 2},
        {{encode, "--separator=tab"}, "", usageError("unknown separator 'tab'" + kNames), 2},
        {{decode, "--encoding", "l"}, "", usageError("unknown encoding 'l'" + codings), 2},
        {{encode, "-s"}, "", usageError("option '-s' needs a NAME" + kNames), 2},
        {{decode, "-s", "lf"}, "", usageError("unknown option '-s' for binary-to-text"), 2},
        {{numbers, utf8}, "", usageError("unknown option '" + utf8 + "' for number-to-binary"), 2}};
    for (const std::size_t size : {std::size_t{1}, std::size_t{7}, std::size_t{8}, std::size_t{16},
                                   convert::kDecodeBufferSize}) {
        for (const auto &[arguments, input, output, status] : rows) {
            const InProcessRun run = runInProcess(arguments, input, size);
            EXPECT_EQ(std::pair(run.out + run.err, run.status), std::pair(output, status))
                << ::testing::PrintToString(arguments) << " " << size;
        }
    }
    EXPECT_EQ(runInProcess({decode, "--help"}, "", 9).out.rfind(kUsage, 0), 0U);
    // Random bytes in every layout, and as UTF-8 text, written and read back
    // with the defaults, at read sizes that cut groups, CR LF pairs and
    // characters anywhere: the round-trip fuzz target's comparison, on each
    // of its choices.
    std::string payload(300, '\0');
    std::generate(payload.begin(), payload.end(), std::mt19937(21));
    for (int choice = 0; choice < 256; ++choice)
        EXPECT_EQ(differencesOn(static_cast<char>(choice) + payload.substr(1)), "") << choice;
}

// The program run by the shell with its redirections as a user types them:
// the exit statuses, inputs that are not what they seem (the output file or
// pipe itself, a closed standard input), outputs that fail (a full disk, a
// reader that went away with SIGPIPE ignored, a file system that fails on
// close), and the peak memory, which a large input must not raise.
TEST(Convert, ExitStatusOwnOutputFailedOutputAndMemory) {
    const std::string a = "printf A >a.txt", own = "input file is output file",
                      closed = cannotRead("<stdin>", "Bad file descriptor"),
                      large = "yes 01000001 | head -c 33554430 >l",
                      full = cannotRead("<stdout>", "No space left on device"),
                      failingClose = "export ASAN_OPTIONS=$ASAN_OPTIONS:verify_asan_link_order=0 "
                                     "&& run='env LD_PRELOAD=" GLYPHMILL_FAILING_CLOSE_PATH "'";
    // Set-up, operands and redirections, standard error, status, and where
    // there is one, the file standard output went to and what it holds
    // afterwards, and a pipe.
    const std::vector<std::vector<std::string>> rows = {
        {a, "text-to-binary a.txt /dev/stdout", cannotRead("/dev/stdout", own), "1", "o",
         "01000001\n", "| cat >o"},
        {a, "text-to-binary a.txt >>a.txt", cannotRead("a.txt", own), "1", "a.txt", "A"},
        {"printf 01000001 >a.txt", "binary-to-text - <a.txt >>a.txt", cannotRead("<stdin>", own),
         "1", "a.txt", "01000001"},
        {a, "text-to-binary /dev/null a.txt >/dev/null", "", "0", "a.txt", "A"},
        {a, "text-to-binary a.txt - <&- >o", closed, "1", "o", "01000001\n"},
        {large, "text-to-binary --encoding=utf-8 l >/dev/null", "", "0"},
        {large, "binary-to-text l >/dev/null", "", "0"},
        {large, "binary-to-text --window-rules --encoding=utf-8 l >/dev/null", "", "0"},
        {large, "text-to-binary -s crlf l >/dev/full", full, "1"},
        {":", "number-to-binary 5 >/dev/full", full, "1"},
        {"head -c 33554432 /dev/zero | tr '\\0' 1 >n", "number-to-binary <n", kTooLong, "1"},
        {large + " && trap '' PIPE", "binary-to-text --window-rules l", "", "1", "o", "", "| :"},
        {large + " && trap '' PIPE", "binary-to-text l", "", "1", "o", "", "| :"},
        {failingClose, "number-to-binary 5 >o", cannotRead("<stdout>", "Input/output error"), "1",
         "o", "101\n"}};
    std::vector<long> peaksKiB;
    for (std::vector<std::string> row : rows) {
        row.resize(7);
        SCOPED_TRACE(row[1]);
        const TempFolder folder;
        // The file size limit stops a tool that feeds on its own output.
        // Time stops one that waits for its own output through a pipe.
        const std::string script = "cd '" + folder.path() + "' && " + row[0] +
                                   " && ulimit -f 2000 && { /usr/bin/time -q -f %M -o peak "
                                   "timeout 10 ${run:-} '" GLYPHMILL_CONVERT_PATH "' " +
                                   row[1] + " 2>errors; echo $? >status; } " + row[6];
        ASSERT_EQ(std::system(script.c_str()), 0);
        EXPECT_EQ(TempFolder::read(folder.path("errors")), row[2]);
        EXPECT_EQ(TempFolder::read(folder.path("status")), row[3] + "\n");
        EXPECT_EQ(TempFolder::read(folder.path(row[4].empty() ? "o" : row[4])), row[5]);
        peaksKiB.push_back(std::stol(TempFolder::read(folder.path("peak"))));
    }
    EXPECT_LT(std::ranges::max(peaksKiB), std::ranges::min(peaksKiB) + 8 * 1024);
}

} // namespace
} // namespace glyphmill::test
