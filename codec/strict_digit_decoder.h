#pragma once

#include "codec/codec_path.h"
#include "codec/line_positions.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace glyphmill {

// Binary to text for data that must be exact: the input is groups of exactly
// eight "0" or "1" digits, separated by runs of spaces, tabs, CR and LF or by
// nothing. Every group gives its byte, code 0 included. The input comes in
// pieces of any size from one or more files; decoding stops at the first
// byte that breaks the form, and the fault tells where it is in its file.
class StrictDigitDecoder {
  public:
    static constexpr int kEndOfInput = -1;

    struct Fault {
        std::uint64_t line = 1;   // from 1; lines end with LF
        std::uint64_t column = 1; // from 1, counted in bytes
        int found = kEndOfInput;  // the offending byte, or kEndOfInput
    };

    // The vector path falls back to the portable one where the processor
    // lacks it. Both give the same codes and the same fault.
    explicit StrictDigitDecoder(CodecPath path = fastestDecodingPath()) noexcept;

    // Room the output of decode() needs for `count` input bytes. The codes
    // written are at most count / 8 + 1; the vector path may scribble a few
    // bytes past them.
    static constexpr std::size_t outputCapacity(std::size_t count) noexcept {
        return count / 8 + 8;
    }

    // The next pieces come from another file: positions start again at line
    // 1, column 1. A group may still continue from the file before.
    void startFile() noexcept;
    // Decodes the next piece; returns how many codes it wrote: those of the
    // groups before the fault, when the piece holds one.
    std::size_t decode(const std::uint8_t *input, std::size_t count, std::uint8_t *out) noexcept;
    // Ends the input: a group still short of eight digits is a fault.
    void finish() noexcept;

    const std::optional<Fault> &fault() const noexcept { return m_fault; }

  private:
    std::uint8_t *decodePortable(const std::uint8_t *input, std::size_t count,
                                 std::uint8_t *out) noexcept;
    void faultAt(const std::uint8_t *input, std::size_t at) noexcept;

    CodecPath m_path;
    std::uint32_t m_bits = 0;
    unsigned m_count = 0;
    LinePositions m_positions;
    std::optional<Fault> m_fault;
};

} // namespace glyphmill
