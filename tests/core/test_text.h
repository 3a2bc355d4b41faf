#pragma once

#include <string>

namespace glyphmill::test {

// UTF-16 text from a UTF-8 literal, for readable test tables.
std::u16string u16(const std::string &utf8);
// UTF-8 of UTF-16 text, for readable failure messages.
std::string u8(const std::u16string &text);

} // namespace glyphmill::test
