// glyphmill-convert as a process on Linux.
#include "tests/convert/program_rows.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <map>
#include <string>
#include <vector>

using namespace glyphmill::test;

// The program run by the shell with its redirections as a user types them:
// the rows every system shares, then inputs that are not what they seem (the
// output through /dev/stdout, /dev/null as both), outputs that fail (a full
// disk, a reader that went away with SIGPIPE ignored, a file system that
// fails on close), and the peak memory, which a large input must not raise.
TEST(Convert, ExitStatusOwnOutputFailedOutputAndMemory) {
    const std::string failingClose = "export ASAN_OPTIONS=$ASAN_OPTIONS:verify_asan_link_order=0 "
                                     "&& run='env LD_PRELOAD=" GLYPHMILL_FAILING_CLOSE_PATH "'",
                      full = cannotRead("<stdout>", "No space left on device");
    std::vector<ProgramRow> rows = {
        {"text-to-binary a.txt /dev/stdout", "A", "| cat >o", cannotRead("/dev/stdout", kOwn), 1,
         "01000001\n"},
        {"text-to-binary /dev/null a.txt", "A", ">/dev/null"},
        {"text-to-binary --encoding=utf-8", kLarge, ">/dev/null"},
        {"binary-to-text", kLarge, ">/dev/null"},
        {"binary-to-text --window-rules --encoding=utf-8", kLarge, ">/dev/null"},
        {"text-to-binary -s crlf", kLarge, ">/dev/full", full, 1},
        {"number-to-binary 5", "", ">/dev/full", full, 1},
        {"binary-to-text", kLarge, "pipe", "", 1},
        {"number-to-binary 5", "", "closing fails", cannotRead("<stdout>", "Input/output error"), 1,
         "101\n"}};
    rows.insert(rows.end(), std::begin(kProgramRows), std::end(kProgramRows));
    // The shell's own outputs: a pipe, and a file whose closing fails.
    const std::map<std::string, std::string> outputs = {
        {"o", ">o"}, {"pipe", "| :"}, {"closing fails", ">o"}};
    std::vector<long> peaksKiB;
    for (const ProgramRow &row : rows) {
        SCOPED_TRACE(row.arguments + " " + row.output);
        const TempFolder folder;
        folder.write("a.txt", row.content);
        // The file size limit stops a tool that feeds on its own output.
        // Time stops one that waits for its own output through a pipe.
        const std::string script =
            "cd '" + folder.path() + "' && " +
            (row.output == "closing fails" ? failingClose : ":") +
            " && trap '' PIPE && ulimit -f 2000 && { /usr/bin/time -q -f %M -o peak timeout 10 "
            "${run:-} '" GLYPHMILL_CONVERT_PATH "' " +
            row.arguments + (row.input.empty() ? " <&-" : " <" + row.input) +
            " 2>errors; echo $? >status; } " +
            (outputs.contains(row.output) ? outputs.at(row.output) : row.output);
        ASSERT_EQ(std::system(script.c_str()), 0);
        EXPECT_EQ(TempFolder::read(folder.path("errors")), row.errors);
        EXPECT_EQ(TempFolder::read(folder.path("status")), std::to_string(row.status) + "\n");
        EXPECT_EQ(TempFolder::read(folder.path(row.output == ">>a.txt" ? "a.txt" : "o")),
                  row.written);
        peaksKiB.push_back(std::stol(TempFolder::read(folder.path("peak"))));
    }
    EXPECT_LT(std::ranges::max(peaksKiB), std::ranges::min(peaksKiB) + 8 * 1024);
}
