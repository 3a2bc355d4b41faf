#pragma once

#include <cstddef>
#include <cstdint>

namespace glyphmill::convert {

// The fast path of UTF-8 reading: whole blocks of 64 bytes that hold only
// ASCII and the two-byte characters U+00A0 to U+00FF, whose Windows-1252
// codes equal their values, on processors with AVX-512 VBMI2. Writes the
// codes at `codes` (which moves past them; it may scribble up to 64 bytes
// past them) and returns how many bytes it read: up to the first block that
// holds anything else, or that is less than 64 bytes from the end. Elsewhere
// it reads nothing.
std::size_t readLatinBlocks(const std::uint8_t *input, std::size_t count,
                            std::uint8_t *&codes) noexcept;

} // namespace glyphmill::convert
