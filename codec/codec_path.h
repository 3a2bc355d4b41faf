#pragma once

namespace glyphmill {

// How the digit codecs run: the portable path on every processor, the vector
// path where the processor has the instructions for it. Both give the same
// bytes; the vector path is only faster.
enum class CodecPath { Portable, Vector };

// Whether this processor runs the vector path of the encoder (AVX2).
bool vectorEncodingSupported() noexcept;
// Whether this processor runs the vector path of the decoder: AVX2 and a bit
// extraction done in hardware (BMI2 on processors that do not emulate it).
bool vectorDecodingSupported() noexcept;

CodecPath fastestEncodingPath() noexcept;
CodecPath fastestDecodingPath() noexcept;

} // namespace glyphmill
