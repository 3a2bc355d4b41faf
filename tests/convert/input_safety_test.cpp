// Inputs that are not what they seem: the output file itself, a closed
// standard input, a short group before a file that gives nothing. Each row is
// run by the shell in a folder of its own, with its redirections as a user
// types them.
#include "tool_runner.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace glyphmill::test {
namespace {

struct SafetyRow {
    const char *name;
    std::string setUp;   // shell commands that make the files
    std::string command; // what follows the tool's name: operands, redirections
    std::string errors;  // standard error
    int status;
    std::string output;   // the file standard output went to, then
    std::string expected; // what it holds afterwards
};

class InputSafety : public ::testing::TestWithParam<SafetyRow> {};

TEST_P(InputSafety, ReportsAndSkipsTheInput) {
    const SafetyRow &row = GetParam();
    const TempFolder folder;
    // The file size limit stops a tool that feeds on its own output.
    const std::string script = "cd '" + folder.path("") + "' && ulimit -f 2000 && " + row.setUp +
                               " && '" GLYPHMILL_CONVERT_PATH "' " + row.command +
                               " 2>errors; echo $? >status";
    ASSERT_EQ(std::system(script.c_str()), 0) << script;
    EXPECT_EQ(TempFolder::read(folder.path("errors")), row.errors);
    EXPECT_EQ(TempFolder::read(folder.path("status")), std::to_string(row.status) + "\n");
    EXPECT_EQ(TempFolder::read(folder.path(row.output)), row.expected);
}

const std::string kA = "01000001\r\n";
const std::string kDirectory = "glyphmill-convert: d: Is a directory\n";
const std::string kOutputFile = ": input file is output file\n";
const std::string kClosed = "glyphmill-convert: <stdin>: Bad file descriptor\n";
const std::string kShort = "a4.txt:1:5: expected 8 binary digits, found end of input\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, InputSafety,
    ::testing::Values(SafetyRow{"AppendedToItsInput", "printf A >a.txt",
                                "text-to-binary a.txt >>a.txt",
                                "glyphmill-convert: a.txt" + kOutputFile, 1, "a.txt", "A"},
                      SafetyRow{"OutputNamedAsInput", "printf A >a.txt",
                                "text-to-binary a.txt /proc/self/fd/1 >o",
                                "glyphmill-convert: /proc/self/fd/1" + kOutputFile, 1, "o", kA},
                      SafetyRow{"StandardInputIsTheOutput", "printf 01000001 >a.txt",
                                "binary-to-text - <a.txt >>a.txt",
                                "glyphmill-convert: <stdin>" + kOutputFile, 1, "a.txt", "01000001"},
                      SafetyRow{"DevNullBothWays", "printf A >a.txt",
                                "text-to-binary /dev/null a.txt >/dev/null", "", 0, "a.txt", "A"},
                      SafetyRow{"ClosedStandardInputLast", "printf A >a.txt",
                                "text-to-binary a.txt - <&- >o", kClosed, 1, "o", kA},
                      SafetyRow{"ClosedStandardInputFirst", "printf A >a.txt",
                                "text-to-binary - a.txt <&- >o", kClosed, 1, "o", kA},
                      SafetyRow{"ShortGroupThenFolder", "printf 0100 >a4.txt && mkdir d",
                                "binary-to-text --strict a4.txt d >o", kDirectory + kShort, 1, "o",
                                ""},
                      SafetyRow{"ShortGroupThenEmptyFile", "printf 0100 >a4.txt && : >e.txt",
                                "binary-to-text --strict a4.txt e.txt >o", kShort, 1, "o", ""}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace glyphmill::test
