#include "runtime/base/text_file_encoding.h"

#include "runtime/base/windows_1252.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

namespace glyphmill {
namespace {

struct CodePoint {
    char32_t value;
    std::size_t length;
};

// The well-formed sequences by their lead byte: their length, the bits of the
// lead byte that belong to the value, and the range of the second byte, which
// after E0, ED, F0 and F4 is narrower so that no overlong form, surrogate or
// value past U+10FFFF passes. Every later byte is 80 to BF.
struct LeadByte {
    std::uint8_t first;
    std::uint8_t last;
    std::size_t length;
    std::uint8_t valueBits;
    std::uint8_t low;
    std::uint8_t high;
};
constexpr std::array<LeadByte, 8> kLeadBytes{{
    {0xC2, 0xDF, 2, 0x1F, 0x80, 0xBF},
    {0xE0, 0xE0, 3, 0x0F, 0xA0, 0xBF},
    {0xE1, 0xEC, 3, 0x0F, 0x80, 0xBF},
    {0xED, 0xED, 3, 0x0F, 0x80, 0x9F},
    {0xEE, 0xEF, 3, 0x0F, 0x80, 0xBF},
    {0xF0, 0xF0, 4, 0x07, 0x90, 0xBF},
    {0xF1, 0xF3, 4, 0x07, 0x80, 0xBF},
    {0xF4, 0xF4, 4, 0x07, 0x80, 0x8F},
}};

// The code point that starts at `at`, or nothing when the bytes there are no
// well-formed UTF-8.
std::optional<CodePoint> nextCodePoint(std::string_view bytes, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(bytes[at + i]); };
    const std::uint8_t lead = byte(0);
    if (lead < 0x80)
        return CodePoint{lead, 1};
    const auto form = std::find_if(kLeadBytes.begin(), kLeadBytes.end(), [lead](const LeadByte &f) {
        return lead >= f.first && lead <= f.last;
    });
    if (form == kLeadBytes.end() || bytes.size() - at < form->length)
        return std::nullopt;
    char32_t value = lead & form->valueBits;
    for (std::size_t i = 1; i < form->length; ++i) {
        const std::uint8_t next = byte(i);
        const std::uint8_t from = i == 1 ? form->low : 0x80;
        const std::uint8_t to = i == 1 ? form->high : 0xBF;
        if (next < from || next > to)
            return std::nullopt;
        value = (value << 6) | (next & 0x3F);
    }
    return CodePoint{value, form->length};
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
