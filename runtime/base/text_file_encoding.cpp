#include "runtime/base/text_file_encoding.h"

#include "runtime/base/windows_1252.h"

#include <cstdint>
#include <optional>

namespace glyphmill {
namespace {

struct CodePoint {
    char32_t value;
    std::size_t length;
};

// The code point that starts at `at`, or nothing when the bytes there are no
// well-formed UTF-8: overlong forms, surrogates and values past U+10FFFF are
// refused.
std::optional<CodePoint> nextCodePoint(std::string_view bytes, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(bytes[at + i]); };
    const std::uint8_t lead = byte(0);
    if (lead < 0x80)
        return CodePoint{lead, 1};
    std::size_t length = 0;
    char32_t value = 0;
    std::uint8_t low = 0x80;
    std::uint8_t high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        value = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        value = lead & 0x0F;
        if (lead == 0xE0)
            low = 0xA0;
        if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        value = lead & 0x07;
        if (lead == 0xF0)
            low = 0x90;
        if (lead == 0xF4)
            high = 0x8F;
    } else {
        return std::nullopt;
    }
    if (bytes.size() - at < length)
        return std::nullopt;
    for (std::size_t i = 1; i < length; ++i) {
        const std::uint8_t next = byte(i);
        const std::uint8_t from = i == 1 ? low : 0x80;
        const std::uint8_t to = i == 1 ? high : 0xBF;
        if (next < from || next > to)
            return std::nullopt;
        value = (value << 6) | (next & 0x3F);
    }
    return CodePoint{value, length};
}

void appendUtf16(std::u16string &text, char32_t value) {
    if (value < 0x10000) {
        text.push_back(static_cast<char16_t>(value));
        return;
    }
    value -= 0x10000;
    text.push_back(static_cast<char16_t>(0xD800 + (value >> 10)));
    text.push_back(static_cast<char16_t>(0xDC00 + (value & 0x3FF)));
}

} // namespace

bool isValidUtf8(std::string_view bytes) {
    for (std::size_t at = 0; at < bytes.size();) {
        const std::optional<CodePoint> point = nextCodePoint(bytes, at);
        if (!point)
            return false;
        at += point->length;
    }
    return true;
}

std::u16string decodeUtf8(std::string_view bytes) {
    std::u16string text;
    text.reserve(bytes.size());
    for (std::size_t at = 0; at < bytes.size();) {
        const std::optional<CodePoint> point = nextCodePoint(bytes, at);
        if (!point) {
            text.push_back(u'\uFFFD');
            ++at;
            continue;
        }
        appendUtf16(text, point->value);
        at += point->length;
    }
    return text;
}

std::u16string decodeTextFile(std::string_view bytes) {
    if (!isValidUtf8(bytes))
        return Windows1252::decode(std::string(bytes));
    constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
    if (bytes.substr(0, byteOrderMark.size()) == byteOrderMark)
        bytes.remove_prefix(byteOrderMark.size());
    return decodeUtf8(bytes);
}

} // namespace glyphmill
