#pragma once

#include "convert/streams.h"

#include <cstddef>

namespace glyphmill::convert {

// Bytes read at a time by each kind of command.
struct BufferSizes {
    std::size_t encode = 0;
    std::size_t decode = 0;
};

// The whole tool on one argument list: parses it, reports a usage error, or
// runs the command on `streams`. Returns the exit status.
int runTool(int argc, const char *const *argv, const Streams &streams, BufferSizes sizes);

} // namespace glyphmill::convert
