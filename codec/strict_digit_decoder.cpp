#include "codec/strict_digit_decoder.h"

#include "codec/digit_swar.h"
#include "codec/digit_vector.h"

#include <algorithm>
#include <bit>

namespace glyphmill {
namespace {

bool isSeparator(std::uint8_t byte) {
    return byte == ' ' || byte == '\t' || byte == '\r' || byte == '\n';
}

#ifdef GLYPHMILL_X86_VECTOR

// How far the vector check got through a piece without a fault, and the line
// feeds it passed.
struct CheckedSpan {
    std::size_t end = 0;
    std::uint64_t lineFeeds = 0;
    std::size_t lineStart = 0; // just past the last line feed; 0 without one
};

// 0xFF where a byte is "0" or "1".
__attribute__((target("avx2"))) inline __m256i digitBytes(__m256i bytes) noexcept {
    return _mm256_cmpeq_epi8(_mm256_and_si256(bytes, _mm256_set1_epi8(static_cast<char>(0xFE))),
                             _mm256_set1_epi8('0'));
}

// 0xFF where a byte is a space, tab, CR or LF. Each of them has its own low
// four bits: looked up by them, a byte finds itself only if it is the
// separator of its row. Bytes from 0x80 look up 0, which they never equal.
__attribute__((target("avx2"))) inline __m256i separatorBytes(__m256i bytes) noexcept {
    const __m256i separatorOfRow =
        _mm256_setr_epi8(' ', 0, 0, 0, 0, 0, 0, 0, 0, '\t', '\n', 0, 0, '\r', 0, 0, ' ', 0, 0, 0, 0,
                         0, 0, 0, 0, '\t', '\n', 0, 0, '\r', 0, 0);
    return _mm256_cmpeq_epi8(_mm256_shuffle_epi8(separatorOfRow, bytes), bytes);
}

// 64 bytes per step, any shape of groups and separators: the step's digits
// are taken in one bit extraction, as the stream decoder does. A separator
// is a fault only while a group is open, and the first such one follows the
// digit that left it open: so a step is sound when it holds only digits and
// separators and no separator follows a digit that does not end a group.
// Stops at the first step that is not sound, or fewer than 64 bytes before
// the end; the portable path goes on from there.
__attribute__((target("avx2,bmi,bmi2,popcnt"))) CheckedSpan
checkVector(const std::uint8_t *in, std::size_t n, std::uint32_t &bits, unsigned &count,
            std::uint8_t *&out) noexcept {
    const __m256i one = _mm256_set1_epi8('1');
    const __m256i lineFeed = _mm256_set1_epi8('\n');
    CheckedSpan span;
    std::uint64_t pending = simd::reversedLowBits(bits, count);
    std::uint8_t *o = out;
    for (; span.end + 64 <= n; span.end += 64) {
        const auto *at = reinterpret_cast<const __m256i *>(in + span.end);
        const __m256i first = _mm256_loadu_si256(at);
        const __m256i second = _mm256_loadu_si256(at + 1);
        const std::uint64_t digits = simd::highBits(digitBytes(first), digitBytes(second));
        const std::uint64_t separators =
            simd::highBits(separatorBytes(first), separatorBytes(second));
        // The digits that end a group: the (8 - count)th of the step and
        // every eighth after it.
        const std::uint64_t groupEnds = _pdep_u64(0x8080808080808080ULL >> count, digits);
        const std::uint64_t leftOpen = ((digits & ~groupEnds) << 1) | (count != 0 ? 1U : 0U);
        if ((~(digits | separators) | (separators & leftOpen)) != 0)
            break;
        simd::appendDigits(_pext_u64(simd::mask(first, second, one), digits),
                           static_cast<unsigned>(_mm_popcnt_u64(digits)), pending, count, o);
        const std::uint64_t lineFeeds = simd::mask(first, second, lineFeed);
        span.lineFeeds += static_cast<std::uint64_t>(_mm_popcnt_u64(lineFeeds));
        if (lineFeeds != 0)
            span.lineStart = span.end + 64 - static_cast<std::size_t>(std::countl_zero(lineFeeds));
    }
    simd::reverseBitsOfBytes(out, o);
    bits = static_cast<std::uint32_t>(simd::reversedLowBits(pending, count));
    out = o;
    return span;
}

#endif

} // namespace

StrictDigitDecoder::StrictDigitDecoder(CodecPath path) noexcept
    : m_path(path == CodecPath::Vector ? fastestDecodingPath() : CodecPath::Portable) {}

void StrictDigitDecoder::startFile() noexcept {
    m_positions.startFile();
}

void StrictDigitDecoder::faultAt(const std::uint8_t *input, std::size_t at) noexcept {
    const LinePositions::Place place = m_positions.placeOf(input, static_cast<std::ptrdiff_t>(at));
    m_fault = Fault{place.line, place.column, input[at]};
}

std::size_t StrictDigitDecoder::decode(const std::uint8_t *input, std::size_t count,
                                       std::uint8_t *out) noexcept {
    if (m_fault)
        return 0;
    std::uint8_t *o = out;
#ifdef GLYPHMILL_X86_VECTOR
    if (m_path == CodecPath::Vector) {
        // The rest of the piece goes on as a piece of its own.
        const CheckedSpan span = checkVector(input, count, m_bits, m_count, o);
        m_positions.pass(span.end, span.lineFeeds, span.lineStart);
        input += span.end;
        count -= span.end;
    }
#endif
    o = decodePortable(input, count, o);
    return static_cast<std::size_t>(o - out);
}

std::uint8_t *StrictDigitDecoder::decodePortable(const std::uint8_t *input, std::size_t count,
                                                 std::uint8_t *o) noexcept {
    std::size_t p = 0;
    while (p < count) {
        if (m_count == 0) {
            // Whole groups as the usual form has them, a line break after
            // each.
            while (p + 8 <= count) {
                const std::uint64_t word = swar::load64(input + p);
                if (!swar::allDigits(word))
                    break;
                *o++ = swar::gatherLowBits(word);
                p += 8;
                if (p + 2 <= count && input[p] == '\r' && input[p + 1] == '\n')
                    p += 2;
            }
            if (p == count)
                break;
        }
        const std::uint8_t byte = input[p];
        if (byte == '0' || byte == '1') {
            m_bits = (m_bits << 1) | (byte & 1U);
            if (++m_count == 8) {
                *o++ = static_cast<std::uint8_t>(m_bits);
                m_bits = 0;
                m_count = 0;
            }
        } else if (!isSeparator(byte) || m_count != 0) {
            faultAt(input, p);
            return o;
        }
        ++p;
    }
    m_positions.pass(input, count);
    return o;
}

void StrictDigitDecoder::finish() noexcept {
    if (m_fault || m_count == 0)
        return;
    const LinePositions::Place place = m_positions.end();
    m_fault = Fault{place.line, place.column, kEndOfInput};
}

} // namespace glyphmill
