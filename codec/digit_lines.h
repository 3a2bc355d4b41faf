#pragma once

#include "codec/codec_path.h"

#include <cstddef>
#include <cstdint>

namespace glyphmill {

// What goes between the groups of eight binary digits: CR LF after each group
// (the window's answer), LF after each group, one space between groups, or
// nothing.
enum class DigitSeparator { CrLf, Lf, Space, None };

// Characters per group in writeDigitGroupsWith().
constexpr std::size_t digitGroupLength(DigitSeparator separator) noexcept {
    switch (separator) {
    case DigitSeparator::CrLf:
        return 10;
    case DigitSeparator::Lf:
    case DigitSeparator::Space:
        return 9;
    case DigitSeparator::None:
        break;
    }
    return 8;
}

// Writes, for each code, its eight binary digits (most significant first)
// with its separator: followed by CR LF or LF, after one space (Space), or
// alone; digitGroupLength() characters per code, nothing past them. Where the
// space layout starts and ends is the stream encoder's business. The vector
// path falls back to the portable one where the processor lacks it.
void writeDigitGroupsWith(CodecPath path, DigitSeparator separator, const std::uint8_t *codes,
                          std::size_t count, char *out) noexcept;

// The window's layout: each group followed by CR LF, ten characters per code.
inline void writeDigitLinesWith(CodecPath path, const std::uint8_t *codes, std::size_t count,
                                char *out) noexcept {
    writeDigitGroupsWith(path, DigitSeparator::CrLf, codes, count, out);
}

} // namespace glyphmill
