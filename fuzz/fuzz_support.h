#pragma once

#include "windows_1252.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace glyphmill::fuzz {

// Marks the start of a UTF-16 unit spelled by the next two bytes, low byte
// first; every other byte is the code page's character of that code.
inline constexpr std::uint8_t kRawUnitMark = 0xFF;

// The text that fuzz bytes stand for: mostly characters a user of the code
// page types, now and then any UTF-16 unit at all (lone surrogates and NUL
// included).
inline std::u16string textFromBytes(const std::uint8_t *data, std::size_t size) {
    std::u16string text;
    text.reserve(size);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == kRawUnitMark && i + 2 < size) {
            text.push_back(static_cast<char16_t>(data[i + 1] | (data[i + 2] << 8)));
            i += 2;
        } else {
            text.push_back(Windows1252::decode(data[i]));
        }
    }
    return text;
}

// Every byte as the character of the same number.
inline std::u16string widened(const std::uint8_t *data, std::size_t size) {
    return std::u16string(data, data + size);
}

inline std::string printable(std::u16string_view text, std::size_t limit = 400) {
    std::string out;
    for (std::size_t i = 0; i < text.size() && i < limit; ++i) {
        const char16_t c = text[i];
        if (c >= 0x20 && c < 0x7F && c != u'\\') {
            out.push_back(static_cast<char>(c));
        } else {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned>(c));
            out += escape;
        }
    }
    if (text.size() > limit)
        out += "...";
    return out;
}

inline std::string printable(std::string_view bytes, std::size_t limit = 400) {
    return printable(widened(reinterpret_cast<const std::uint8_t *>(bytes.data()), bytes.size()),
                     limit);
}

// Reports a finding and stops the run; libFuzzer keeps the input that led
// here as a crash file.
[[noreturn]] inline void fail(const char *what, const std::string &detail) {
    std::fprintf(stderr, "MISMATCH: %s\n%s\n", what, detail.c_str());
    std::fflush(stderr);
    std::abort();
}

inline void expect(bool holds, const char *what, const std::string &detail) {
    if (!holds)
        fail(what, detail);
}

} // namespace glyphmill::fuzz
