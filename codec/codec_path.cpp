#include "codec/codec_path.h"

namespace glyphmill {
namespace {

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))

bool vectorEncodingSupported() noexcept {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2");
}

bool vectorDecodingSupported() noexcept {
    __builtin_cpu_init();
    // The first two generations of that design run the bit extraction in
    // microcode, at a cost that grows with the bits set in the mask: there
    // the portable path is the faster one.
    const bool slowBitExtract = __builtin_cpu_is("znver1") || __builtin_cpu_is("znver2");
    return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("bmi2") && !slowBitExtract;
}

#else

bool vectorEncodingSupported() noexcept {
    return false;
}

bool vectorDecodingSupported() noexcept {
    return false;
}

#endif

} // namespace

CodecPath fastestEncodingPath() noexcept {
    static const CodecPath path =
        vectorEncodingSupported() ? CodecPath::Vector : CodecPath::Portable;
    return path;
}

CodecPath fastestDecodingPath() noexcept {
    static const CodecPath path =
        vectorDecodingSupported() ? CodecPath::Vector : CodecPath::Portable;
    return path;
}

} // namespace glyphmill
