#pragma once

#include "runtime/base/runtime_error.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace glyphmill {

// Writes, for each code, its eight binary digits (most significant first)
// followed by CR LF: digitGroupLength(DigitSeparator::CrLf) characters per
// code.
void writeDigitLines(const std::uint8_t *codes, std::size_t count, char *out) noexcept;

struct TextToBinaryResult {
    // One line of digits per character; when a character has no 8-bit code,
    // the lines of the characters before it.
    std::string answer;
    std::optional<RuntimeError> error;
};

// The answer of "Ascii To Binary" for the text of the input box.
TextToBinaryResult textToBinary(std::u16string_view text);

// The report for a character that has no code in the 8-bit code page;
// `position` is 1-based.
RuntimeError unencodableCharacterError(std::u16string_view text, std::size_t position);

} // namespace glyphmill
