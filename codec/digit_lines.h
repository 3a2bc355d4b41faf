#pragma once

#include "codec/codec_path.h"

#include <cstddef>
#include <cstdint>

namespace glyphmill {

// Writes, for each code, its eight binary digits (most significant first)
// followed by CR LF: ten characters per code, count * 10 in all, nothing past
// them. The vector path falls back to the portable one where the processor
// lacks it.
void writeDigitLinesWith(CodecPath path, const std::uint8_t *codes, std::size_t count,
                         char *out) noexcept;

} // namespace glyphmill
