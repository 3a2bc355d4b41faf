#include "convert/latin_blocks.h"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>

namespace glyphmill::convert {
namespace {

bool blocksSupported() noexcept {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("avx512vbmi2");
}

__attribute__((target("avx512f,avx512bw,avx512vbmi2,popcnt"))) std::size_t
readBlocks(const std::uint8_t *input, std::size_t count, std::uint8_t *&codes) noexcept {
    std::size_t p = 0;
    std::uint8_t *o = codes;
    while (p + 64 <= count) {
        const __m512i bytes = _mm512_loadu_si512(input + p);
        const __mmask64 ascii = _mm512_cmplt_epu8_mask(bytes, _mm512_set1_epi8(0x80 - 256));
        const __mmask64 c2 = _mm512_cmpeq_epi8_mask(bytes, _mm512_set1_epi8(0xC2 - 256));
        const __mmask64 c3 = _mm512_cmpeq_epi8_mask(bytes, _mm512_set1_epi8(0xC3 - 256));
        const __mmask64 tails = _mm512_cmpeq_epi8_mask(
            _mm512_and_si512(bytes, _mm512_set1_epi8(0xC0 - 256)), _mm512_set1_epi8(0x80 - 256));
        const __mmask64 highTails =
            tails & _mm512_cmpge_epu8_mask(bytes, _mm512_set1_epi8(0xA0 - 256));
        const std::uint64_t leads = c2 | c3;
        // A character cut by the end of the block goes to the next one.
        const std::uint64_t taken = leads >> 63 ? ~0ULL >> 1 : ~0ULL;
        // Every lead byte followed by a tail byte, and every tail byte after
        // a lead byte; after C2 only the tails of U+00A0 to U+00BF.
        if (((ascii | leads | tails) & taken) != taken || (tails & taken) != (leads << 1) ||
            ((c2 << 1) & ~highTails) != 0)
            break;
        // A tail after C3 gains 0x40: U+00C0 to U+00FF.
        const __m512i values = _mm512_mask_add_epi8(bytes, c3 << 1, bytes, _mm512_set1_epi8(0x40));
        const std::uint64_t kept = ~leads & taken;
        _mm512_storeu_si512(o, _mm512_maskz_compress_epi8(kept, values));
        o += _mm_popcnt_u64(kept);
        p += taken >> 63 ? 64 : 63;
    }
    codes = o;
    return p;
}

} // namespace

std::size_t readLatinBlocks(const std::uint8_t *input, std::size_t count,
                            std::uint8_t *&codes) noexcept {
    static const bool supported = blocksSupported();
    return supported ? readBlocks(input, count, codes) : 0;
}

} // namespace glyphmill::convert

#else

namespace glyphmill::convert {

std::size_t readLatinBlocks(const std::uint8_t *, std::size_t, std::uint8_t *&) noexcept {
    return 0;
}

} // namespace glyphmill::convert

#endif
