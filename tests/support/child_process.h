#pragma once

#include <string>
#include <vector>

namespace glyphmill::test {

struct RunResult {
    int status = -1; // the exit status; -1 when a signal ended the program
    long peakMemoryKiB = 0;
    std::string out;
    std::string err;
};

// As standard output: a pipe whose reader has gone, the program ignoring
// SIGPIPE (as under a parent that ignores it), so that its writes fail.
inline const std::string kClosedPipe = "<closed pipe>";

// Runs a program (a path, or a name looked up on PATH) to its end, with
// `input` as its standard input. Standard output is collected, or goes to the
// file `output` (such as /dev/full), or to kClosedPipe.
RunResult runProgram(std::vector<std::string> arguments, const std::string &input = {},
                     const std::string &output = {});

} // namespace glyphmill::test
