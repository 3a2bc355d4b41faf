#pragma once

#include "tests/support/child_process.h"

#include <string>
#include <vector>

namespace glyphmill::test {

// glyphmill-convert run as a user runs it (see runProgram).
inline RunResult runTool(std::vector<std::string> arguments, const std::string &input = {},
                         const std::string &output = {}) {
    arguments.insert(arguments.begin(), GLYPHMILL_CONVERT_PATH);
    return runProgram(std::move(arguments), input, {}, output);
}

} // namespace glyphmill::test
