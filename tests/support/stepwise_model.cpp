#include "tests/support/stepwise_model.h"

#include <bitset>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace glyphmill::model {
namespace {

// The first character of a number's decimal text: plain notation, "0" for
// zero of either sign, "-" for a negative number.
char firstCharacter(double number) {
    char text[400] = "0";
    std::to_chars(text, text + sizeof text, number == 0 ? 0 : number, std::chars_format::fixed);
    return text[0];
}

// A surrogate pair is one character; a lone surrogate shows as U+FFFD.
std::string unencodable(std::u16string_view text, std::size_t at) {
    char32_t c = text[at];
    if (c >> 10 == 0x36 && at + 1 < text.size() && text[at + 1] >> 10 == 0x37)
        c = 0x10000 + ((c - 0xD800) << 10) + (text[at + 1] - 0xDC00);
    char hex[16];
    std::snprintf(hex, sizeof hex, "%04X", static_cast<unsigned>(c));
    return "Character '" + utf8(c >> 11 == 0x1B ? 0xFFFD : c) + "' (U+" + hex + ") at position " +
           std::to_string(at + 1) + " has no 8-bit code";
}

} // namespace

std::string utf8(char32_t c) {
    const int tail = c < 0x80 ? 0 : c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
    std::string out(1, static_cast<char>(tail == 0 ? c : (0xFF << (7 - tail)) | (c >> 6 * tail)));
    for (int k = tail - 1; k >= 0; --k)
        out += static_cast<char>(0x80 | ((c >> 6 * k) & 0x3F));
    return out;
}

char16_t codePage(std::uint8_t code) {
    static const std::u16string high = u"€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008DŽ\u008F\u0090‘’“”•–—˜™š›œ\u009DžŸ";
    return code >= 0x80 && code < 0xA0 ? high[code - 0x80] : code;
}

std::u16string codePageText(std::string_view codes) {
    std::u16string text;
    for (const char code : codes)
        text += codePage(static_cast<std::uint8_t>(code));
    return text;
}

Boxes textToBinary(std::u16string_view input) {
    Boxes boxes;
    for (std::size_t at = 0; at < input.size(); ++at) {
        int code = 0;
        while (code < 256 && codePage(static_cast<std::uint8_t>(code)) != input[at])
            ++code;
        if (code == 256)
            return boxes.error = unencodable(input, at), boxes;
        const std::string digits = std::bitset<8>(code).to_string() + "\r\n";
        boxes.answer.append(digits.begin(), digits.end());
    }
    return boxes;
}

Boxes binaryToText(std::u16string_view input) {
    Boxes boxes;
    // The work box: the input without its CR LF pairs.
    for (std::size_t at = 0; at < input.size(); at += input.substr(at, 2) == u"\r\n" ? 2 : 1)
        boxes.work += input.substr(at, 2) == u"\r\n" ? u"" : input.substr(at, 1);
    // One group more than the work box has characters, eight positions each.
    for (std::size_t group = 0; group <= boxes.work.size(); ++group) {
        int sum = 0;
        for (std::size_t k = 0, at = group * 8; k < 8; ++k, ++at)
            sum += at < boxes.work.size() && boxes.work[at] == u'1' ? 128 >> k : 0;
        // A text box holds no character of code 0.
        boxes.answer.append(sum != 0, codePage(static_cast<std::uint8_t>(sum)));
    }
    return boxes;
}

Boxes numberToBinary(std::u16string_view numberBox) {
    std::string typed;
    for (const char16_t c : numberBox)
        typed += c < 0x80 ? static_cast<char>(c) : '?';
    // Spaces, a sign, digits with a point, an exponent, spaces; nothing else:
    // no other blank, no hexadecimal, infinity or NaN. The C library reads
    // it (in the "C" locale, which no test changes). `rest` is what the number
    // box holds as the digits go; `power` stays a 32-bit integer.
    char *end = nullptr;
    double rest = std::strtod(typed.c_str(), &end), power = 1, doublings = 0;
    Boxes boxes;
    boxes.converted = end != typed.c_str() && typed.find_first_of("\t\n\v\f\rxXnN") == typed.npos &&
                      typed.find_first_not_of(' ', end - typed.c_str()) == typed.npos;
    if (!boxes.converted)
        return boxes;
    // Doubling, up to the smallest power of two from 2 not below the number.
    do {
        if ((power *= 2) > 2147483647)
            return boxes.error = "Overflow", boxes;
        ++doublings;
    } while (rest > power || std::isinf(rest));
    for (int digit = 0; digit <= doublings; ++digit) {
        const char first = firstCharacter(rest / power);
        if (first == '-') // compared with 1, "-" is no number
            return boxes.error = "Type mismatch", boxes;
        boxes.answer += first >= '1' ? u'1' : u'0';
        rest -= first >= '1' ? power : 0;
        power = std::nearbyint(power / 2); // halves to even: 1 becomes 0
    }
    return boxes.answer.erase(0, boxes.answer.starts_with(u'0')), boxes;
}

std::string strictDigits(std::initializer_list<std::string_view> files) {
    std::string codes;
    unsigned digits = 0, value = 0;
    std::uint64_t line = 1, column = 1;
    const auto faultAt = [&](int found) {
        return codes + " " + std::to_string(line) + ":" + std::to_string(column) + " " +
               std::to_string(found);
    };
    for (const std::string_view file : files) {
        // A file without a byte has no place of its own for a fault.
        if (file.empty())
            continue;
        line = column = 1;
        for (const std::uint8_t byte : file) {
            if (byte == '0' || byte == '1') {
                value = value * 2 + (byte - '0');
                codes.append(++digits % 8 == 0, static_cast<char>(value));
            } else if (digits % 8 != 0 || !std::memchr(" \t\r\n", byte, 4)) {
                return faultAt(byte);
            }
            column = byte == '\n' ? 1 : column + 1;
            line += byte == '\n';
        }
    }
    return digits % 8 == 0 ? codes : faultAt(-1);
}

} // namespace glyphmill::model
