#pragma once

class QKeyEvent;

namespace glyphmill {

// Key codes as key handlers see them: 112 is F1, 115 is F4, letters are
// their capital's code. Keys without a code give 0.
int keyCodeOf(const QKeyEvent &event);
// Shift 1, Ctrl 2, Alt 4, added up.
int shiftStateOf(const QKeyEvent &event);

inline constexpr int kKeyF1 = 112;
inline constexpr int kKeyF4 = 115;

} // namespace glyphmill
