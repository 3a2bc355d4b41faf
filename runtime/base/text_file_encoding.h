#pragma once

#include <string>
#include <string_view>

namespace glyphmill {

// Text files come in UTF-8 or in the program's 8-bit code page. A file that
// is valid UTF-8 is read as UTF-8 (a leading byte order mark is dropped);
// any other file is read as Windows-1252, whose every byte is a character.
std::u16string decodeTextFile(std::string_view bytes);

bool isValidUtf8(std::string_view bytes);
// The UTF-16 text of valid UTF-8.
std::u16string decodeUtf8(std::string_view bytes);

} // namespace glyphmill
