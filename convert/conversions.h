#pragma once

#include "convert/command_line.h"
#include "convert/streams.h"

#include <cstddef>

namespace glyphmill::convert {

// The two text commands on `streams`, as `line` asks; each returns the exit
// status. `bufferSize` is how many bytes are read at a time.
int runTextToBinary(const CommandLine &line, const Streams &streams, std::size_t bufferSize);
int runBinaryToText(const CommandLine &line, const Streams &streams, std::size_t bufferSize);

} // namespace glyphmill::convert
