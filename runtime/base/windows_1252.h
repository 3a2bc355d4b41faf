#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace glyphmill {

// The program's 8-bit code page. Every one of the 256 codes maps to a
// character and back: the five codes the code page leaves unassigned map to
// the C1 control characters of the same number.
class Windows1252 {
  public:
    static char16_t decode(std::uint8_t code) noexcept;
    // The code of a UTF-16 unit, or nothing when the code page has none.
    static std::optional<std::uint8_t> encode(char16_t unit) noexcept;
    static std::u16string decode(const std::string &bytes);
};

} // namespace glyphmill
