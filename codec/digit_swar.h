#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

// Eight bytes at a time in a 64-bit word, for the portable codec paths.
namespace glyphmill::swar {

// Eight bytes, the first one in the low byte on every host.
inline std::uint64_t load64(const std::uint8_t *bytes) noexcept {
    std::uint64_t word;
    std::memcpy(&word, bytes, sizeof word);
    if constexpr (std::endian::native == std::endian::big)
        word = __builtin_bswap64(word);
    return word;
}

inline constexpr std::uint64_t repeated(std::uint8_t byte) noexcept {
    return 0x0101010101010101ULL * byte;
}

// The high bit of every byte of `word` that equals `byte`, nothing else. Exact:
// no carry crosses from one byte into the next.
inline std::uint64_t bytesEqual(std::uint64_t word, std::uint8_t byte) noexcept {
    constexpr std::uint64_t low7 = repeated(0x7F);
    const std::uint64_t diff = word ^ repeated(byte);
    return ~(((diff & low7) + low7) | diff | low7);
}

// Bit 0 of every byte packed into one byte, the first byte's bit becoming the
// most significant one. Each product term lands on its own bit, so the
// multiplication carries nothing into the top byte.
inline std::uint8_t gatherLowBits(std::uint64_t word) noexcept {
    return static_cast<std::uint8_t>(((word & repeated(1)) * 0x8040201008040201ULL) >> 56);
}

// All eight bytes are "0" or "1".
inline bool allDigits(std::uint64_t word) noexcept {
    return (word & repeated(0xFE)) == repeated('0');
}

} // namespace glyphmill::swar
