#pragma once

namespace glyphmill {

// How the digit codecs run: the portable path on every processor, the vector
// path where the processor has the instructions for it. Both give the same
// bytes; the vector path is only faster.
enum class CodecPath { Portable, Vector };

// The vector path where this processor runs it: AVX2 for the encoder, and
// for the decoder also a bit extraction done in hardware (BMI2 on processors
// that do not emulate it).
CodecPath fastestEncodingPath() noexcept;
CodecPath fastestDecodingPath() noexcept;

} // namespace glyphmill
