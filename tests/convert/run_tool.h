#pragma once

#include "child_process.h"

#include <string>
#include <vector>

namespace glyphmill::test {

// glyphmill-convert run as a user runs it (see runProgram). In `environment`,
// GLYPHMILL_CONVERT_BUFFER=N makes it read N bytes at a time.
inline RunResult runTool(std::vector<std::string> arguments, const std::string &input = {},
                         std::vector<std::string> environment = {},
                         const std::string &output = {}) {
    arguments.insert(arguments.begin(), GLYPHMILL_CONVERT_PATH);
    return runProgram(std::move(arguments), input, std::move(environment), output);
}

} // namespace glyphmill::test
