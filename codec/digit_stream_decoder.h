#pragma once

#include "codec/codec_path.h"

#include <cstddef>
#include <cstdint>

namespace glyphmill {

// Binary to text on a stream of bytes given in pieces of any size, with the
// rules of "Binary To Ascii": CR LF pairs are removed (also a pair split
// between two pieces); every other byte takes a digit position, "1" as a 1 and
// anything else as a 0; groups of eight are read as they come; a group of code
// 0 gives nothing; a short final group is completed with 0 digits on the right.
class DigitStreamDecoder {
  public:
    // The vector path falls back to the portable one where the processor
    // lacks it.
    explicit DigitStreamDecoder(CodecPath path = fastestDecodingPath()) noexcept;

    // Room the output of decode() needs for `count` input bytes. The codes
    // written are at most count / 8 + 1; the vector path may scribble a few
    // bytes past them.
    static constexpr std::size_t outputCapacity(std::size_t count) noexcept {
        return count / 8 + 8;
    }

    // Decodes the next piece of input; returns how many codes it wrote.
    std::size_t decode(const std::uint8_t *input, std::size_t count, std::uint8_t *out) noexcept;
    // Ends the input; writes at most one code and returns how many.
    std::size_t finish(std::uint8_t *out) noexcept;

    // Digits read but not yet part of a whole group; the first of them in the
    // most significant of the low `count` bits.
    struct PendingGroup {
        std::uint32_t bits = 0;
        unsigned count = 0;
    };

  private:
    CodecPath m_path;
    PendingGroup m_group;
    // The last piece ended with a CR, which may pair with the next one's LF.
    bool m_heldCarriageReturn = false;
};

} // namespace glyphmill
