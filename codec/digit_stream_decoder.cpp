#include "codec/digit_stream_decoder.h"

#include "codec/digit_swar.h"
#include "codec/digit_vector.h"

#include <cstring>

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

// 64 bytes per step, in file order: in the masks of the "1", CR and LF bytes
// the first byte is bit 0, so one bit extraction gives the digits first digit
// lowest. They are gathered that way, eight bytes stored per step, and the
// bits of the codes are put the right way round at the end, which costs far
// less than turning every step's bytes around. Stops 65 bytes before the end
// (a step looks one byte ahead) and returns where it stopped.
__attribute__((target("avx2,bmi,bmi2,popcnt"))) std::size_t
decodeVector(const std::uint8_t *in, std::size_t n, PendingGroup &group,
             std::uint8_t *&out) noexcept {
    const __m256i one = _mm256_set1_epi8('1');
    const __m256i carriageReturn = _mm256_set1_epi8('\r');
    const __m256i lineFeed = _mm256_set1_epi8('\n');
    // The pending digits, first one lowest; nothing above them.
    std::uint64_t pending = simd::reversedLowBits(group.bits, group.count);
    unsigned count = group.count;
    std::uint64_t carry = 0;
    std::uint8_t *o = out;
    std::size_t p = 0;
    for (; p + 65 <= n; p += 64) {
        const __m256i first = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(in + p));
        const __m256i second = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(in + p + 32));
        const std::uint64_t ones = simd::mask(first, second, one);
        const std::uint64_t crs = simd::mask(first, second, carriageReturn);
        const std::uint64_t lfs = simd::mask(first, second, lineFeed);
        const std::uint64_t nextIsLineFeed = in[p + 64] == '\n' ? 1U : 0U;
        // A CR followed by an LF always starts a pair: a CR is never the
        // second character of one.
        const std::uint64_t pairStarts = crs & ((lfs >> 1) | (nextIsLineFeed << 63));
        const std::uint64_t keep = ~(pairStarts | (pairStarts << 1) | carry);
        carry = pairStarts >> 63;
        simd::appendDigits(_pext_u64(ones, keep), static_cast<unsigned>(_mm_popcnt_u64(keep)),
                           pending, count, o);
    }
    simd::reverseBitsOfBytes(out, o);
    group.bits = static_cast<std::uint32_t>(simd::reversedLowBits(pending, count));
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
