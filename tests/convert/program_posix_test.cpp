// glyphmill-convert as a process on Linux.
#include "tests/convert/tool_messages.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace glyphmill::test {
namespace {

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
