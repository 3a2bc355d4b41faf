#pragma once

namespace glyphmill::convert {

inline constexpr int kExitSuccess = 0;
// A file could not be read, the output could not be written, strict decoding
// met a fault or a number was refused.
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

inline constexpr const char *kToolName = "glyphmill-convert";

} // namespace glyphmill::convert
