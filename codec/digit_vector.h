#pragma once

#include <cstdint>

// 64 bytes at a time with AVX2, for the vector codec paths. The masks put the
// first byte at bit 0, so a bit extraction gives digits first digit lowest;
// the codes gathered that way are put the right way round with
// reverseBitsOfBytes().
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define GLYPHMILL_X86_VECTOR 1
#endif

namespace glyphmill::simd {

// The low `count` bits of `bits` in reverse order.
inline std::uint64_t reversedLowBits(std::uint64_t bits, unsigned count) noexcept {
    std::uint64_t result = 0;
    for (unsigned i = 0; i < count; ++i)
        result |= ((bits >> i) & 1U) << (count - 1 - i);
    return result;
}

#ifdef GLYPHMILL_X86_VECTOR

// The high bits of the bytes of `first` then `second`, the first byte as bit 0.
__attribute__((target("avx2"))) inline std::uint64_t highBits(__m256i first,
                                                              __m256i second) noexcept {
    const auto low = static_cast<std::uint32_t>(_mm256_movemask_epi8(first));
    const auto high = static_cast<std::uint32_t>(_mm256_movemask_epi8(second));
    return (static_cast<std::uint64_t>(high) << 32) | low;
}

// The bytes of 64 that equal `byte`, the first byte as bit 0.
__attribute__((target("avx2"))) inline std::uint64_t mask(__m256i first, __m256i second,
                                                          __m256i byte) noexcept {
    return highBits(_mm256_cmpeq_epi8(first, byte), _mm256_cmpeq_epi8(second, byte));
}

// Reverses the bits of every byte in [first, last).
__attribute__((target("avx2"))) inline void reverseBitsOfBytes(std::uint8_t *first,
                                                               std::uint8_t *last) noexcept {
    const __m256i reversedNibble = _mm256_setr_epi8(
        0x0, 0x8, 0x4, 0xC, 0x2, 0xA, 0x6, 0xE, 0x1, 0x9, 0x5, 0xD, 0x3, 0xB, 0x7, 0xF, 0x0, 0x8,
        0x4, 0xC, 0x2, 0xA, 0x6, 0xE, 0x1, 0x9, 0x5, 0xD, 0x3, 0xB, 0x7, 0xF);
    const __m256i reversedNibbleHigh = _mm256_slli_epi16(reversedNibble, 4);
    const __m256i lowNibble = _mm256_set1_epi8(0x0F);
    for (; last - first >= 32; first += 32) {
        const __m256i bytes = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(first));
        const __m256i low = _mm256_and_si256(bytes, lowNibble);
        const __m256i high = _mm256_and_si256(_mm256_srli_epi16(bytes, 4), lowNibble);
        _mm256_storeu_si256(reinterpret_cast<__m256i *>(first),
                            _mm256_or_si256(_mm256_shuffle_epi8(reversedNibbleHigh, low),
                                            _mm256_shuffle_epi8(reversedNibble, high)));
    }
    for (; first < last; ++first)
        *first = static_cast<std::uint8_t>(reversedLowBits(*first, 8));
}

// Appends the digits of one step to the codes: `digits` holds `added` of
// them, first one lowest, to follow the `count` pending ones in `pending`.
// Eight bytes are stored, as many kept as there are whole groups.
inline void appendDigits(std::uint64_t digits, unsigned added, std::uint64_t &pending,
                         unsigned &count, std::uint8_t *&out) noexcept {
    const unsigned total = count + added;
    const std::uint64_t joined = pending | (digits << count);
    __builtin_memcpy(out, &joined, sizeof joined);
    if (total >= 64) {
        out += 8;
        pending = count == 0 ? 0 : digits >> (64 - count);
        count = total - 64;
    } else {
        out += total >> 3;
        pending = joined >> (total & ~7U);
        count = total & 7U;
    }
}

#endif

} // namespace glyphmill::simd
