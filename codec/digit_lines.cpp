#include "codec/digit_lines.h"

#include <array>
#include <cstring>
#include <string_view>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define GLYPHMILL_X86_VECTOR 1
#endif

namespace glyphmill {
namespace {

constexpr std::size_t kSeparators = 4;

// One group as written, "D" standing for its digits in order.
constexpr std::string_view groupForm(DigitSeparator separator) {
    constexpr std::string_view forms[kSeparators] = {"DDDDDDDD\r\n", "DDDDDDDD\n", " DDDDDDDD",
                                                     "DDDDDDDD"};
    return forms[static_cast<std::size_t>(separator)];
}

// Which digit, 0 the most significant, a place of the group shows; -1 for a
// separator's place.
constexpr int digitAt(std::string_view form, std::size_t place) {
    if (form[place] != 'D')
        return -1;
    int digit = 0;
    for (std::size_t before = 0; before < place; ++before)
        digit += form[before] == 'D' ? 1 : 0;
    return digit;
}

// One record per code: its group, then padding, so that a single 16-byte copy
// writes a whole group; the next group's copy overwrites the padding.
struct alignas(16) DigitRecord {
    std::array<char, 16> bytes{};
};
using DigitRecords = std::array<DigitRecord, 256>;

constexpr DigitRecords makeRecords(DigitSeparator separator) {
    const std::string_view form = groupForm(separator);
    DigitRecords records{};
    for (std::size_t code = 0; code < 256; ++code) {
        for (std::size_t place = 0; place < form.size(); ++place) {
            const int digit = digitAt(form, place);
            records[code].bytes[place] = digit < 0                    ? form[place]
                                         : (code >> (7 - digit)) & 1U ? '1'
                                                                      : '0';
        }
    }
    return records;
}

constexpr std::array<DigitRecords, kSeparators> kRecords = {
    makeRecords(DigitSeparator::CrLf), makeRecords(DigitSeparator::Lf),
    makeRecords(DigitSeparator::Space), makeRecords(DigitSeparator::None)};

template <DigitSeparator Separator>
void writePortable(const std::uint8_t *codes, std::size_t count, char *out) noexcept {
    if (count == 0)
        return;
    const DigitRecords &records = kRecords[static_cast<std::size_t>(Separator)];
    constexpr std::size_t length = digitGroupLength(Separator);
    for (std::size_t i = 0; i + 1 < count; ++i)
        std::memcpy(out + i * length, records[codes[i]].bytes.data(), 16);
    std::memcpy(out + (count - 1) * length, records[codes[count - 1]].bytes.data(), length);
}

#ifdef GLYPHMILL_X86_VECTOR

// Sixteen codes make 16 groups: 128 to 160 characters, written in 32-byte
// stores and, for nine-character groups, a last 16-byte one. For each store
// and each of its bytes: which code it shows (both 128-bit lanes hold all
// sixteen codes), which bit of it (0 on a separator's place), and the
// character before the bit test adds 1 to it.
constexpr std::size_t kMaxStores = 5;

struct VectorPlan {
    std::array<std::array<std::uint8_t, 32>, kMaxStores> index{};
    std::array<std::array<std::uint8_t, 32>, kMaxStores> mask{};
    std::array<std::array<std::uint8_t, 32>, kMaxStores> base{};
};

constexpr VectorPlan makeVectorPlan(DigitSeparator separator) {
    const std::string_view form = groupForm(separator);
    VectorPlan plan{};
    for (std::size_t at = 0; at < 16 * form.size(); ++at) {
        const std::size_t store = at / 32, byte = at % 32, place = at % form.size();
        const int digit = digitAt(form, place);
        plan.index[store][byte] = static_cast<std::uint8_t>(at / form.size());
        plan.mask[store][byte] = digit < 0 ? 0 : static_cast<std::uint8_t>(0x80U >> digit);
        // A separator's place always tests as set and gains 1.
        plan.base[store][byte] = digit < 0 ? form[place] - 1 : '0';
    }
    return plan;
}

constexpr std::array<VectorPlan, kSeparators> kVectorPlans = {
    makeVectorPlan(DigitSeparator::CrLf), makeVectorPlan(DigitSeparator::Lf),
    makeVectorPlan(DigitSeparator::Space), makeVectorPlan(DigitSeparator::None)};

__attribute__((target("avx2"))) __m256i loadPlan(const std::array<std::uint8_t, 32> &row) {
    return _mm256_loadu_si256(reinterpret_cast<const __m256i *>(row.data()));
}

// The characters of one store, from the sixteen codes in both lanes.
__attribute__((target("avx2"))) inline __m256i groupCharacters(__m256i both, __m256i index,
                                                               __m256i mask, __m256i base) {
    const __m256i set =
        _mm256_cmpeq_epi8(_mm256_and_si256(_mm256_shuffle_epi8(both, index), mask), mask);
    return _mm256_sub_epi8(base, set);
}

template <DigitSeparator Separator>
__attribute__((target("avx2"))) void writeVector(const std::uint8_t *codes, std::size_t count,
                                                 char *out) noexcept {
    constexpr std::size_t length = digitGroupLength(Separator);
    constexpr std::size_t fullStores = 16 * length / 32;
    constexpr bool halfStore = 16 * length % 32 != 0;
    constexpr std::size_t stores = fullStores + (halfStore ? 1 : 0);
    const VectorPlan &plan = kVectorPlans[static_cast<std::size_t>(Separator)];
    __m256i index[stores];
    __m256i mask[stores];
    __m256i base[stores];
    for (std::size_t store = 0; store < stores; ++store) {
        index[store] = loadPlan(plan.index[store]);
        mask[store] = loadPlan(plan.mask[store]);
        base[store] = loadPlan(plan.base[store]);
    }
    std::size_t i = 0;
    for (; i + 16 <= count; i += 16) {
        const __m256i both = _mm256_broadcastsi128_si256(
            _mm_loadu_si128(reinterpret_cast<const __m128i *>(codes + i)));
        char *group = out + i * length;
        for (std::size_t store = 0; store < fullStores; ++store)
            _mm256_storeu_si256(reinterpret_cast<__m256i *>(group + store * 32),
                                groupCharacters(both, index[store], mask[store], base[store]));
        if constexpr (halfStore)
            _mm_storeu_si128(reinterpret_cast<__m128i *>(group + fullStores * 32),
                             _mm256_castsi256_si128(groupCharacters(
                                 both, index[fullStores], mask[fullStores], base[fullStores])));
    }
    writePortable<Separator>(codes + i, count - i, out + i * length);
}

#endif

template <DigitSeparator Separator>
void writeGroups(CodecPath path, const std::uint8_t *codes, std::size_t count, char *out) noexcept {
#ifdef GLYPHMILL_X86_VECTOR
    if (path == CodecPath::Vector && fastestEncodingPath() == CodecPath::Vector)
        return writeVector<Separator>(codes, count, out);
#else
    (void)path;
#endif
    writePortable<Separator>(codes, count, out);
}

} // namespace

void writeDigitGroupsWith(CodecPath path, DigitSeparator separator, const std::uint8_t *codes,
                          std::size_t count, char *out) noexcept {
    switch (separator) {
    case DigitSeparator::CrLf:
        return writeGroups<DigitSeparator::CrLf>(path, codes, count, out);
    case DigitSeparator::Lf:
        return writeGroups<DigitSeparator::Lf>(path, codes, count, out);
    case DigitSeparator::Space:
        return writeGroups<DigitSeparator::Space>(path, codes, count, out);
    case DigitSeparator::None:
        return writeGroups<DigitSeparator::None>(path, codes, count, out);
    }
}

} // namespace glyphmill
