#include "codec/digit_lines.h"

#include <array>
#include <cstring>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define GLYPHMILL_X86_VECTOR 1
#endif

namespace glyphmill {
namespace {

constexpr std::size_t kLineLength = 10;

// One record per code: its line, then padding, so that a single 16-byte copy
// writes a whole line; the next line's copy overwrites the padding.
struct alignas(16) DigitRecord {
    std::array<char, 16> bytes{};
};

constexpr std::array<DigitRecord, 256> makeRecords() {
    std::array<DigitRecord, 256> records{};
    for (std::size_t code = 0; code < 256; ++code) {
        for (std::size_t bit = 0; bit < 8; ++bit)
            records[code].bytes[bit] = (code >> (7 - bit)) & 1U ? '1' : '0';
        records[code].bytes[8] = '\r';
        records[code].bytes[9] = '\n';
    }
    return records;
}

constexpr std::array<DigitRecord, 256> kRecords = makeRecords();

void writePortable(const std::uint8_t *codes, std::size_t count, char *out) noexcept {
    if (count == 0)
        return;
    for (std::size_t i = 0; i + 1 < count; ++i)
        std::memcpy(out + i * kLineLength, kRecords[codes[i]].bytes.data(), 16);
    std::memcpy(out + (count - 1) * kLineLength, kRecords[codes[count - 1]].bytes.data(),
                kLineLength);
}

#ifdef GLYPHMILL_X86_VECTOR

// Sixteen codes make 160 characters, five 32-byte stores. For each store and
// each of its bytes: which code it shows (both 128-bit lanes hold all sixteen
// codes), which bit of it (0 on the CR and LF places), and the character
// before the bit test adds 1 to it.
struct VectorPlan {
    std::array<std::array<std::uint8_t, 32>, 5> index{};
    std::array<std::array<std::uint8_t, 32>, 5> mask{};
    std::array<std::array<std::uint8_t, 32>, 5> base{};
};

constexpr VectorPlan makeVectorPlan() {
    VectorPlan plan{};
    for (std::size_t store = 0; store < 5; ++store) {
        for (std::size_t byte = 0; byte < 32; ++byte) {
            const std::size_t at = store * 32 + byte;
            const std::size_t place = at % kLineLength;
            plan.index[store][byte] = static_cast<std::uint8_t>(at / kLineLength);
            plan.mask[store][byte] = place < 8 ? static_cast<std::uint8_t>(0x80U >> place) : 0;
            // A place without a bit always tests as set and gains 1.
            plan.base[store][byte] = place < 8 ? '0' : place == 8 ? '\r' - 1 : '\n' - 1;
        }
    }
    return plan;
}

constexpr VectorPlan kVectorPlan = makeVectorPlan();

__attribute__((target("avx2"))) __m256i loadPlan(const std::array<std::uint8_t, 32> &row) {
    return _mm256_loadu_si256(reinterpret_cast<const __m256i *>(row.data()));
}

__attribute__((target("avx2"))) void writeVector(const std::uint8_t *codes, std::size_t count,
                                                 char *out) noexcept {
    __m256i index[5];
    __m256i mask[5];
    __m256i base[5];
    for (std::size_t store = 0; store < 5; ++store) {
        index[store] = loadPlan(kVectorPlan.index[store]);
        mask[store] = loadPlan(kVectorPlan.mask[store]);
        base[store] = loadPlan(kVectorPlan.base[store]);
    }
    std::size_t i = 0;
    for (; i + 16 <= count; i += 16) {
        const __m256i both = _mm256_broadcastsi128_si256(
            _mm_loadu_si128(reinterpret_cast<const __m128i *>(codes + i)));
        char *line = out + i * kLineLength;
        for (std::size_t store = 0; store < 5; ++store) {
            const __m256i picked = _mm256_shuffle_epi8(both, index[store]);
            const __m256i set =
                _mm256_cmpeq_epi8(_mm256_and_si256(picked, mask[store]), mask[store]);
            _mm256_storeu_si256(reinterpret_cast<__m256i *>(line + store * 32),
                                _mm256_sub_epi8(base[store], set));
        }
    }
    writePortable(codes + i, count - i, out + i * kLineLength);
}

#endif

} // namespace

void writeDigitLinesWith(CodecPath path, const std::uint8_t *codes, std::size_t count,
                         char *out) noexcept {
#ifdef GLYPHMILL_X86_VECTOR
    if (path == CodecPath::Vector && fastestEncodingPath() == CodecPath::Vector) {
        writeVector(codes, count, out);
        return;
    }
#else
    (void)path;
#endif
    writePortable(codes, count, out);
}

} // namespace glyphmill
