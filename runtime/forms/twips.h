#pragma once

#include <QRect>

namespace glyphmill {

// Layout is given in twips; the window is laid out at 15 twips per pixel and
// Qt scales the whole on high-density screens.
inline constexpr int kTwipsPerPixel = 15;

int twipsToPixels(int twips);
QRect twipsRect(int left, int top, int width, int height);

} // namespace glyphmill
