#pragma once

namespace glyphmill::convert {

// The descriptors a run reads "-" from, writes its output to and reports its
// messages on: the standard ones for the program, any others for a caller
// that runs the tool in its own process.
struct Streams {
    int input = 0;
    int output = 1;
    int errors = 2;
};

} // namespace glyphmill::convert
