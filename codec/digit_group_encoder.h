#pragma once

#include "codec/codec_path.h"
#include "codec/digit_lines.h"

#include <cstddef>
#include <cstdint>

namespace glyphmill {

// Text to binary on a stream of bytes given in pieces of any size, in one of
// the layouts of DigitSeparator: with Space the groups stand between single
// spaces and an LF ends the output when there was any; the other layouts
// write every group alike, wherever the pieces break.
class DigitGroupEncoder {
  public:
    // The vector path falls back to the portable one where the processor
    // lacks it.
    explicit DigitGroupEncoder(DigitSeparator separator,
                               CodecPath path = fastestEncodingPath()) noexcept;

    // Room the output of encode() needs for `count` codes, whatever the
    // layout.
    static constexpr std::size_t outputCapacity(std::size_t count) noexcept {
        return count * digitGroupLength(DigitSeparator::CrLf);
    }

    // Encodes the next piece; returns how many characters it wrote.
    std::size_t encode(const std::uint8_t *codes, std::size_t count, char *out) noexcept;
    // Ends the output; writes at most one character and returns how many.
    std::size_t finish(char *out) noexcept;

  private:
    DigitSeparator m_separator;
    CodecPath m_path;
    bool m_started = false;
};

} // namespace glyphmill
