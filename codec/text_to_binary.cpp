#include "codec/text_to_binary.h"

#include "codec/digit_lines.h"
#include "runtime/base/windows_1252.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace glyphmill {
namespace {

constexpr std::size_t kLineLength = digitGroupLength(DigitSeparator::CrLf);

bool isHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool isLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

std::string utf8(char32_t c) {
    std::string out;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

} // namespace

void writeDigitLines(const std::uint8_t *codes, std::size_t count, char *out) noexcept {
    writeDigitLinesWith(fastestEncodingPath(), codes, count, out);
}

RuntimeError unencodableCharacterError(std::u16string_view text, std::size_t position) {
    const char16_t unit = text[position - 1];
    char32_t codePoint = unit;
    if (isHighSurrogate(unit) && position < text.size() && isLowSurrogate(text[position]))
        codePoint = 0x10000 + ((unit - 0xD800) << 10) + (text[position] - 0xDC00);
    const bool loneSurrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
    char hex[16];
    std::snprintf(hex, sizeof hex, "%04X", static_cast<unsigned>(codePoint));
    return RuntimeError::invalidCall("Character '" + utf8(loneSurrogate ? 0xFFFD : codePoint) +
                                     "' (U+" + hex + ") at position " + std::to_string(position) +
                                     " has no 8-bit code");
}

TextToBinaryResult textToBinary(std::u16string_view text) {
    TextToBinaryResult result;
    result.answer.resize(text.size() * kLineLength);
    // Encode in blocks so that the code buffer stays small and hot.
    constexpr std::size_t kBlock = 4096;
    std::array<std::uint8_t, kBlock> codes{};
    std::size_t done = 0;
    while (done < text.size()) {
        const std::size_t count = std::min(kBlock, text.size() - done);
        for (std::size_t i = 0; i < count; ++i) {
            const auto code = Windows1252::encode(text[done + i]);
            if (!code) {
                writeDigitLines(codes.data(), i, result.answer.data() + done * kLineLength);
                result.answer.resize((done + i) * kLineLength);
                result.error = unencodableCharacterError(text, done + i + 1);
                return result;
            }
            codes[i] = *code;
        }
        writeDigitLines(codes.data(), count, result.answer.data() + done * kLineLength);
        done += count;
    }
    return result;
}

} // namespace glyphmill
