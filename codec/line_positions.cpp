#include "codec/line_positions.h"

#include <algorithm>
#include <iterator>

namespace glyphmill {
namespace {

// Just past the last LF of `bytes`, or 0 without one.
std::size_t pastLastLineFeed(const std::uint8_t *bytes, std::size_t count) {
    const auto lastLineFeed = std::find(std::make_reverse_iterator(bytes + count),
                                        std::make_reverse_iterator(bytes), '\n');
    return static_cast<std::size_t>(lastLineFeed.base() - bytes);
}

} // namespace

LinePositions::Place LinePositions::placeOf(const std::uint8_t *piece,
                                            std::ptrdiff_t at) const noexcept {
    if (at < 0)
        return {m_line, m_offset - static_cast<std::uint64_t>(-at) - m_lineStart + 1};
    const auto count = static_cast<std::size_t>(at);
    const std::size_t lineStart = pastLastLineFeed(piece, count);
    return {m_line + static_cast<std::uint64_t>(std::count(piece, piece + count, '\n')),
            lineStart == 0 ? m_offset + count - m_lineStart + 1 : count - lineStart + 1};
}

void LinePositions::pass(const std::uint8_t *piece, std::size_t count) noexcept {
    pass(count, static_cast<std::uint64_t>(std::count(piece, piece + count, '\n')),
         pastLastLineFeed(piece, count));
}

void LinePositions::pass(std::size_t count, std::uint64_t lineFeeds,
                         std::size_t lineStart) noexcept {
    m_line += lineFeeds;
    if (lineStart != 0)
        m_lineStart = m_offset + lineStart;
    m_offset += count;
}

} // namespace glyphmill
