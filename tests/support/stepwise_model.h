#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

// The three conversions written out once more from their description, one
// digit and one quotient at a time, on the standard library alone: the
// product's conversions must give exactly these boxes and error reports.
namespace glyphmill::model {

struct Boxes {
    bool converted = true; // false: the number box holds no number
    std::u16string answer; // the answer box (the binary answer box for numbers)
    std::u16string work;   // the work box of binary to text
    std::string error;     // the run-time error's description, "" for none
    bool operator==(const Boxes &) const = default;
};

// The Windows-1252 character of a code; the five unassigned codes are the C1
// controls of the same number.
char16_t codePage(std::uint8_t code);
// Each byte as the character of its code.
std::u16string codePageText(std::string_view codes);
// A character in UTF-8.
std::string utf8(char32_t c);

Boxes textToBinary(std::u16string_view input);
Boxes binaryToText(std::u16string_view input);
Boxes numberToBinary(std::u16string_view numberBox);

// binary-to-text --strict written out from the rules its help gives, one
// byte at a time. `files` are read one after another as one input. Returns
// the codes written, then, after a fault, " LINE:COLUMN FOUND": the place in
// its file and the byte's number, or -1 for a short group at the end of the
// input.
std::string strictDigits(std::initializer_list<std::string_view> files);

} // namespace glyphmill::model
