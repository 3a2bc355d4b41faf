#include "digit_stream_decoder.h"

#include "digit_swar.h"

#include <cstring>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define GLYPHMILL_X86_VECTOR 1
#endif

namespace glyphmill {
namespace {

using PendingGroup = DigitStreamDecoder::PendingGroup;

// The kernels below write the code of every group, 0 included; the codes of
// 0 are taken out afterwards, which is cheaper than a test per group.

// Adds one digit; writes the code when it completes a group.
inline std::uint8_t *pushDigit(PendingGroup &group, bool one, std::uint8_t *out) noexcept {
    group.bits = (group.bits << 1) | (one ? 1U : 0U);
    if (++group.count == 8) {
        *out++ = static_cast<std::uint8_t>(group.bits);
        group.bits = 0;
        group.count = 0;
    }
    return out;
}

// Decodes a span that no CR LF pair crosses at either end. The common forms
// (eight digits then CR LF, lines ended by LF alone, digits without breaks)
// take eight digits per step; a step whose eight bytes hold a pair goes byte
// by byte.
std::uint8_t *decodePortable(const std::uint8_t *in, std::size_t n, PendingGroup &group,
                             std::uint8_t *out) noexcept {
    std::size_t p = 0;
    // Eight more digits keep the count of pending ones: exactly one group
    // completes per step.
    std::uint64_t bits = group.bits;
    unsigned count = group.count;
    while (p + 10 <= n) {
        const std::uint64_t word = swar::load64(in + p);
        const std::uint64_t crs = swar::bytesEqual(word, '\r');
        const std::uint64_t lfs = swar::bytesEqual(word, '\n');
        const bool pairInside = ((crs << 8) & lfs) != 0;
        const bool pairAcross = (crs >> 63) != 0 && in[p + 8] == '\n';
        if (pairInside || pairAcross) {
            group.bits = static_cast<std::uint32_t>(bits) & ((1U << count) - 1U);
            for (const std::size_t end = p + 8; p < end;) {
                if (in[p] == '\r' && in[p + 1] == '\n')
                    p += 2;
                else
                    out = pushDigit(group, in[p++] == '1', out);
            }
            bits = group.bits;
            count = group.count;
            continue;
        }
        bits = (bits << 8) | swar::gatherLowBits(swar::bytesEqual(word, '1') >> 7);
        *out++ = static_cast<std::uint8_t>(bits >> count);
        p += 8;
        if (in[p] == '\r' && in[p + 1] == '\n')
            p += 2;
    }
    group.bits = static_cast<std::uint32_t>(bits) & ((1U << count) - 1U);
    group.count = count;
    while (p < n) {
        if (in[p] == '\r' && p + 1 < n && in[p + 1] == '\n')
            p += 2;
        else
            out = pushDigit(group, in[p++] == '1', out);
    }
    return out;
}

// Takes the codes of 0 out of [first, last); returns the new end.
std::uint8_t *withoutZeros(std::uint8_t *first, std::uint8_t *last) noexcept {
    auto *zero = static_cast<std::uint8_t *>(std::memchr(first, 0, last - first));
    if (!zero)
        return last;
    std::uint8_t *to = zero;
    for (std::uint8_t *from = zero + 1; from < last;) {
        auto *next = static_cast<std::uint8_t *>(std::memchr(from, 0, last - from));
        const std::uint8_t *end = next ? next : last;
        std::memmove(to, from, end - from);
        to += end - from;
        from = next ? next + 1 : last;
    }
    return to;
}

#ifdef GLYPHMILL_X86_VECTOR

__attribute__((target("avx2"))) inline __m256i reversed(const std::uint8_t *bytes) noexcept {
    const __m256i reverseInLanes =
        _mm256_setr_epi8(15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0, 15, 14, 13, 12, 11,
                         10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0);
    return _mm256_permute4x64_epi64(
        _mm256_shuffle_epi8(_mm256_loadu_si256(reinterpret_cast<const __m256i *>(bytes)),
                            reverseInLanes),
        0x4E);
}

// The bytes of two reversed vectors that equal `byte`, the first byte of the
// first vector as the highest bit.
__attribute__((target("avx2"))) inline std::uint64_t mask(__m256i first, __m256i second,
                                                          __m256i byte) noexcept {
    const auto high =
        static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(first, byte)));
    const auto low =
        static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(second, byte)));
    return (static_cast<std::uint64_t>(high) << 32) | low;
}

// Adds the digits at the set bits of `keep` (first digit highest) and writes
// the groups they complete. The pending digits are the low `count` bits of
// `pending`; whatever lies above them is shifted out before use.
__attribute__((target("avx2,bmi,bmi2,popcnt"))) inline void
addDigits(std::uint32_t ones, std::uint32_t keep, std::uint64_t &pending, unsigned &count,
          std::uint8_t *&out) noexcept {
    const auto added = static_cast<unsigned>(_mm_popcnt_u32(keep));
    pending = (pending << added) | _pext_u32(ones, keep);
    count += added;
    // Up to four whole groups: the first digit to bit 63, then the bytes in
    // output order.
    const auto codes =
        static_cast<std::uint32_t>(__builtin_bswap64((pending << (63 - count)) << 1));
    std::memcpy(out, &codes, sizeof codes);
    out += count >> 3;
    count &= 7;
}

// 64 bytes per step. The bytes are put in reverse order, so that in the
// masks of the "1", CR and LF bytes the first byte has the highest bit; the
// digits that one instruction extracts from the "1" mask then come out first
// digit highest, as the codes need them. Stops 65 bytes before the end (a
// step looks one byte ahead) and returns where it stopped.
__attribute__((target("avx2,bmi,bmi2,popcnt"))) std::size_t
decodeVector(const std::uint8_t *in, std::size_t n, PendingGroup &group,
             std::uint8_t *&out) noexcept {
    const __m256i one = _mm256_set1_epi8('1');
    const __m256i carriageReturn = _mm256_set1_epi8('\r');
    const __m256i lineFeed = _mm256_set1_epi8('\n');
    std::uint64_t pending = group.bits;
    unsigned count = group.count;
    std::uint64_t carry = 0;
    std::uint8_t *o = out;
    std::size_t p = 0;
    for (; p + 65 <= n; p += 64) {
        const __m256i first = reversed(in + p);
        const __m256i second = reversed(in + p + 32);
        const std::uint64_t ones = mask(first, second, one);
        const std::uint64_t crs = mask(first, second, carriageReturn);
        const std::uint64_t lfs = mask(first, second, lineFeed);
        const std::uint64_t nextIsLineFeed = in[p + 64] == '\n' ? 1U : 0U;
        // A CR followed by an LF always starts a pair: a CR is never the
        // second character of one.
        const std::uint64_t pairStarts = crs & ((lfs << 1) | nextIsLineFeed);
        const std::uint64_t keep = ~(pairStarts | (pairStarts >> 1) | (carry << 63));
        carry = pairStarts & 1U;
        addDigits(static_cast<std::uint32_t>(ones >> 32), static_cast<std::uint32_t>(keep >> 32),
                  pending, count, o);
        addDigits(static_cast<std::uint32_t>(ones), static_cast<std::uint32_t>(keep), pending,
                  count, o);
    }
    group.bits = static_cast<std::uint32_t>(pending) & ((1U << count) - 1U);
    group.count = count;
    out = o;
    // The LF of a pair whose CR ended the last step.
    return p + carry;
}

#endif

} // namespace

DigitStreamDecoder::DigitStreamDecoder(CodecPath path) noexcept
    : m_path(path == CodecPath::Vector ? fastestDecodingPath() : CodecPath::Portable) {}

std::size_t DigitStreamDecoder::decode(const std::uint8_t *input, std::size_t count,
                                       std::uint8_t *out) noexcept {
    if (count == 0)
        return 0;
    std::uint8_t *o = out;
    if (m_heldCarriageReturn) {
        m_heldCarriageReturn = false;
        if (input[0] == '\n') {
            ++input;
            --count;
        } else {
            o = pushDigit(m_group, false, o);
        }
    }
    // A CR at the end may pair with the next piece's first byte.
    if (count > 0 && input[count - 1] == '\r') {
        m_heldCarriageReturn = true;
        --count;
    }
    std::size_t done = 0;
#ifdef GLYPHMILL_X86_VECTOR
    if (m_path == CodecPath::Vector)
        done = decodeVector(input, count, m_group, o);
#endif
    o = decodePortable(input + done, count - done, m_group, o);
    return static_cast<std::size_t>(withoutZeros(out, o) - out);
}

std::size_t DigitStreamDecoder::finish(std::uint8_t *out) noexcept {
    std::uint8_t *o = out;
    if (m_heldCarriageReturn) {
        m_heldCarriageReturn = false;
        o = pushDigit(m_group, false, o);
    }
    if (m_group.count != 0) {
        *o++ = static_cast<std::uint8_t>(m_group.bits << (8 - m_group.count));
        m_group = PendingGroup{};
    }
    return static_cast<std::size_t>(withoutZeros(out, o) - out);
}

} // namespace glyphmill
