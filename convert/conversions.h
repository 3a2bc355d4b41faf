#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace glyphmill::convert {

// The three commands; each returns the exit status. `bufferSize` is how many
// bytes are read at a time.
int runTextToBinary(const std::vector<std::string> &files, std::size_t bufferSize);
int runBinaryToText(const std::vector<std::string> &files, bool strict, std::size_t bufferSize);
int runNumberToBinary(const std::vector<std::string> &numbers);

} // namespace glyphmill::convert
