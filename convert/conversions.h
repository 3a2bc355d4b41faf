#pragma once

#include "convert/streams.h"

#include <cstddef>
#include <string>
#include <vector>

namespace glyphmill::convert {

// The three commands on `streams`; each returns the exit status.
// `bufferSize` is how many bytes are read at a time.
int runTextToBinary(const std::vector<std::string> &files, const Streams &streams,
                    std::size_t bufferSize);
int runBinaryToText(const std::vector<std::string> &files, bool strict, const Streams &streams,
                    std::size_t bufferSize);
int runNumberToBinary(const std::vector<std::string> &numbers, const Streams &streams);

} // namespace glyphmill::convert
