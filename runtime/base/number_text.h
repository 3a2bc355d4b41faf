#pragma once

#include <string>
#include <string_view>

namespace glyphmill {

// The decimal text of a number: the shortest text that reads back to the same
// double, in plain notation (never an exponent), with "." as the separator in
// every locale. Zero of either sign is "0". A value that is not finite raises
// the overflow error: no operation of the runtime produces one.
std::u16string numberText(double value);

// Whether a whole text reads as a number: optional spaces, an optional sign,
// digits with an optional decimal point, an optional exponent, optional
// spaces. A number too large for a double still reads as a number.
bool readsAsNumber(std::u16string_view text);

// The number a text reads as. A text that is no number raises the
// type-mismatch error; a number too large for a double raises the overflow
// error.
double textToNumber(std::u16string_view text);

} // namespace glyphmill
