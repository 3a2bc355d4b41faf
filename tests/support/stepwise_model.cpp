#include "stepwise_model.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <regex>

namespace glyphmill::model {
namespace {

// A text box holds no character of code 0: it keeps what precedes one.
void appendToBox(std::u16string &box, std::u16string_view piece) {
    box += piece.substr(0, piece.find(u'\0'));
}

// The first character of a number's decimal text: plain notation, "0" for
// zero of either sign, "-" for a negative number.
char firstCharacter(double number) {
    char text[400] = "0";
    std::to_chars(text, text + sizeof text, number == 0 ? 0 : number, std::chars_format::fixed);
    return text[0];
}

std::string utf8(char32_t c) {
    const int tail = c < 0x80 ? 0 : c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
    std::string out(1, static_cast<char>(tail == 0 ? c : (0xFF << (7 - tail)) | (c >> 6 * tail)));
    for (int k = tail - 1; k >= 0; --k)
        out += static_cast<char>(0x80 | ((c >> 6 * k) & 0x3F));
    return out;
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

char16_t codePage(std::uint8_t code) {
    static constexpr char16_t high[32] = {u'€', 0x81, u'‚', u'ƒ', u'„', u'…', u'†', u'‡',
                                          u'ˆ', u'‰', u'Š', u'‹', u'Œ', 0x8D, u'Ž', 0x8F,
                                          0x90, u'‘', u'’', u'“', u'”', u'•', u'–', u'—',
                                          u'˜', u'™', u'š', u'›', u'œ', 0x9D, u'ž', u'Ÿ'};
    return code >= 0x80 && code < 0xA0 ? high[code - 0x80] : code;
}

Boxes textToBinary(std::u16string_view input) {
    std::u16string codes;
    for (int code = 0; code < 256; ++code)
        codes += codePage(static_cast<std::uint8_t>(code));
    Boxes boxes;
    for (std::size_t at = 0; at < input.size(); ++at) {
        auto code = static_cast<int>(codes.find(input[at]));
        if (code < 0)
            return boxes.error = unencodable(input, at), boxes;
        // Each digit is the first character of the text of code / weight.
        for (int weight = 128; weight >= 1; weight /= 2) {
            const bool one = firstCharacter(static_cast<double>(code) / weight) == '1';
            appendToBox(boxes.answer, one ? u"1" : u"0");
            code -= one ? weight : 0;
        }
        appendToBox(boxes.answer, u"\r\n");
    }
    return boxes;
}

Boxes binaryToText(std::u16string_view input) {
    Boxes boxes;
    for (std::size_t at = 0; at < input.size(); at += input.substr(at, 2) == u"\r\n" ? 2 : 1)
        boxes.work += input.substr(at, 2) == u"\r\n" ? u"" : input.substr(at, 1);
    // One group more than the work box has characters, eight positions each.
    for (std::size_t group = 0; group <= boxes.work.size(); ++group) {
        int sum = 0;
        for (std::size_t k = 0, at = group * 8; k < 8; ++k, ++at)
            sum += at < boxes.work.size() && boxes.work[at] == u'1' ? 128 >> k : 0;
        appendToBox(boxes.answer, std::u16string(1, codePage(static_cast<std::uint8_t>(sum))));
    }
    return boxes;
}

Boxes numberToBinary(std::u16string_view numberBox) {
    // Spaces, a sign, digits with a point, an exponent, spaces; nothing else.
    static const std::regex number(R"( *[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)? *)");
    std::string typed(numberBox.begin(), numberBox.end());
    for (std::size_t at = 0; at < typed.size(); ++at)
        typed[at] = numberBox[at] < 0x80 ? typed[at] : '?';
    Boxes boxes;
    if (!(boxes.converted = std::regex_match(typed, number)))
        return boxes;
    double rest = std::strtod(typed.c_str(), nullptr), power = 1; // power: a 32-bit integer
    int doublings = 0;
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

} // namespace glyphmill::model
