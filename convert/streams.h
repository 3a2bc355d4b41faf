#pragma once

#include <unistd.h>

namespace glyphmill::convert {

// The descriptors a run reads "-" from, writes its output to and reports its
// messages on: the standard ones for the program, any others for a caller
// that runs the tool in its own process.
struct Streams {
    int input = STDIN_FILENO;
    int output = STDOUT_FILENO;
    int errors = STDERR_FILENO;
};

} // namespace glyphmill::convert
