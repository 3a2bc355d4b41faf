#pragma once

namespace glyphmill {

// Colours as the controls take them: 24-bit numbers &H00BBGGRR.
inline constexpr int kWhite = 0xFFFFFF;

} // namespace glyphmill
