#pragma once

#include <cstddef>
#include <cstdint>

namespace glyphmill {

// Where the bytes of a file given in pieces are: the line (from 1; lines end
// with LF) and the column (from 1, in bytes). Kept cheaply per piece, worked
// out only for the one byte a message names.
class LinePositions {
  public:
    struct Place {
        std::uint64_t line = 1;
        std::uint64_t column = 1;
    };

    // The next pieces come from another file.
    void startFile() noexcept { *this = LinePositions(); }
    // The place of byte `at` of `piece`, the piece that comes next; a
    // negative `at` counts back into the pieces before, as far as their
    // last LF.
    Place placeOf(const std::uint8_t *piece, std::ptrdiff_t at) const noexcept;
    // Just past the last byte passed.
    Place end() const noexcept { return {m_line, m_offset - m_lineStart + 1}; }
    // Passes the `count` bytes of `piece`.
    void pass(const std::uint8_t *piece, std::size_t count) noexcept;
    // Passes `count` bytes holding `lineFeeds` LFs, the last of them just
    // before `lineStart` (0 without one).
    void pass(std::size_t count, std::uint64_t lineFeeds, std::size_t lineStart) noexcept;

  private:
    std::uint64_t m_offset = 0;    // of the next piece, in its file
    std::uint64_t m_line = 1;      // line of the next piece's first byte
    std::uint64_t m_lineStart = 0; // offset of that line's first byte
};

} // namespace glyphmill
