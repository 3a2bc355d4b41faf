#pragma once

#include "codec/digit_lines.h"
#include "convert/streams.h"

#include <cstddef>
#include <string>
#include <vector>

namespace glyphmill::convert {

// The three commands on `streams`; each returns the exit status.
// `bufferSize` is how many bytes are read at a time; `separator` is the layout
// of text-to-binary.
int runTextToBinary(const std::vector<std::string> &files, DigitSeparator separator,
                    const Streams &streams, std::size_t bufferSize);
int runBinaryToText(const std::vector<std::string> &files, bool strict, const Streams &streams,
                    std::size_t bufferSize);
int runNumberToBinary(const std::vector<std::string> &numbers, const Streams &streams);

} // namespace glyphmill::convert
