#pragma once

#include <string>
#include <string_view>

namespace glyphmill {

struct BinaryToTextResult {
    std::u16string work;   // the input without its CR LF pairs
    std::u16string answer; // one character per group of eight digits
};

// The answer of "Binary To Ascii" for the text of the input box: the rules of
// DigitStreamDecoder (the same code that glyphmill-convert runs), with every
// character of the box taking the place of one byte.
BinaryToTextResult binaryToText(std::u16string_view input);

} // namespace glyphmill
