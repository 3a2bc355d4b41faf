// glyphmill-convert: what it writes, reports and exits with, to the byte, on
// files, pipes and reads of any size. Its library runs in this process; the
// program runs where only a process shows the answer.
#include "convert/buffer_sizes.h"
#include "fuzz/fuzz_harness.h"
#include "tests/convert/run_in_process.h"
#include "tests/convert/tool_messages.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bitset>
#include <cstdlib>
#include <random>
#include <vector>

using namespace glyphmill::test;

namespace {

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

} // namespace

TEST(Convert, OutputMessagesExitStatusAndRoundTripAtAnyReadSize) {
    const TempFolder folder;
    const std::string cut = folder.write("cut", "\xA9"), one = folder.write("one", "0100\r"),
                      two = folder.write("two", "\n0001\r\n01000010"),
                      three = folder.write("three", "0100"), dir = folder.path(),
                      four = folder.write("four", "1000\n01101001\n\n  01\n"),
                      missing = folder.path("missing"), empty = folder.write("empty", ""),
                      unreadable = cannotRead(missing, "No such file or directory") +
                                   cannotRead(dir, "Is a directory"),
                      encode = "text-to-binary", decode = "binary-to-text", strict = "--strict",
                      numbers = "number-to-binary", window = "--window-rules",
                      utf8 = "--encoding=utf-8", codings = ": NAME is bytes or utf-8",
                      names = ": NAME is crlf, lf, space or none", forty(40, 'a'),
                      listed = " 5\t-3\n\n1e3 " + std::string(65537, '1') + " 4";
    const std::vector<std::string> e8 = {encode, utf8, "-snone"};
    // The arguments and the input; the output followed by the messages, and the exit status.
    const std::tuple<std::vector<std::string>, std::string, std::string, int> rows[] = {
        {{encode}, "Hi", "01001000\n01101001\n", 0},
        // The layouts; the last separator named counts.
        {{encode, "--separator=crlf"}, "Hi", "01001000\r\n01101001\r\n", 0},
        {{encode, "-s", "space", empty, "-"}, "Hi!", "01001000 01101001 00100001\n", 0},
        {{encode, "--separator", "space", empty}, "", "", 0},
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
        {{decode, three, "-", four}, "", "Hi" + at("4:5", kExpected + "'\\n'", four), 1},
        // A short group before files that give nothing is a fault of its own file.
        {{decode, three, missing, dir, empty}, "", unreadable + at("1:5", kAtEnd, three), 1},
        {{"--version"}, "", "glyphmill-convert 2.00.0001\n", 0},
        {{}, "", usageError("no command given"), 2},
        {{encode, strict}, "", usageError("unknown option '--strict' for text-to-binary"), 2},
        {{encode, "--separator=tab"}, "", usageError("unknown separator 'tab'" + names), 2},
        {{decode, "--encoding", "l"}, "", usageError("unknown encoding 'l'" + codings), 2},
        {{encode, "-s"}, "", usageError("option '-s' needs a NAME" + names), 2},
        {{decode, "-s", "lf"}, "", usageError("unknown option '-s' for binary-to-text"), 2},
        {{numbers, utf8}, "", usageError("unknown option '" + utf8 + "' for number-to-binary"), 2}};
    for (const std::size_t size : {std::size_t{1}, std::size_t{7}, std::size_t{8}, std::size_t{16},
                                   glyphmill::convert::kDecodeBufferSize})
        for (const auto &[arguments, input, output, status] : rows)
            EXPECT_EQ(runInProcess(arguments, input, size), std::pair(output, status))
                << ::testing::PrintToString(arguments) << " " << size;
    EXPECT_EQ(runInProcess({decode, "--help"}, "", 9).first.rfind(kUsage, 0), 0U);
    // A read that fails (standard input open for writing only) is reported,
    // and the files after it are read.
    EXPECT_EQ(runInProcess({decode, "-", folder.write("b", "01000010")}, "01000001", 8, "ab"),
              std::pair("B" + cannotRead("<stdin>", "Bad file descriptor"), 1));
    // Random bytes in every layout, and as UTF-8 text, written and read back
    // with the defaults, at read sizes that cut groups, CR LF pairs and
    // characters anywhere: the round-trip fuzz target's comparison, on each
    // of its choices.
    std::string payload(300, '\0');
    std::generate(payload.begin(), payload.end(), std::mt19937(21));
    for (int choice = 0; choice < 256; ++choice)
        EXPECT_EQ(differencesOn(static_cast<char>(choice) + payload.substr(1)), "") << choice;
}
