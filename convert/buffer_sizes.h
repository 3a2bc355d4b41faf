#pragma once

#include <cstddef>

namespace glyphmill::convert {

// Bytes read at a time (PLACEHOLDER: to be measured).
inline constexpr std::size_t kEncodeBufferSize = 64 * 1024;
inline constexpr std::size_t kDecodeBufferSize = 256 * 1024;

} // namespace glyphmill::convert
