#pragma once

#include <cstddef>
#include <cstdint>

namespace glyphmill::fuzz {

// Piece sizes that a fuzz input chooses through its start value: tiny
// pieces, which split pairs and groups, as often as pieces long enough for
// the vector paths (more than 64 bytes) and as the whole rest.
class PieceSizes {
  public:
    explicit PieceSizes(std::uint64_t startValue)
        : m_state(startValue | 1U) {}

    std::size_t next(std::size_t left) {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 7;
        m_state ^= m_state << 17;
        const std::size_t limits[] = {3, 9, 200, left};
        const std::size_t limit = limits[m_state & 3U];
        const std::size_t size = 1 + (m_state >> 8) % (limit == 0 ? 1 : limit);
        return size < left ? size : left;
    }

  private:
    std::uint64_t m_state;
};

} // namespace glyphmill::fuzz
