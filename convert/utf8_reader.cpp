#include "convert/utf8_reader.h"

#include "convert/latin_blocks.h"
#include "runtime/base/windows_1252.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <iterator>

namespace glyphmill::convert {
namespace {

constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;

std::uint64_t load64(const std::uint8_t *at) {
    std::uint64_t word = 0;
    std::memcpy(&word, at, sizeof word);
    return word;
}

// The code of each character of two bytes in UTF-8, by its eleven bits, or
// -1 when the code page has none.
const std::array<std::int16_t, 2048> &twoByteCodes() {
    static const std::array<std::int16_t, 2048> codes = [] {
        std::array<std::int16_t, 2048> table{};
        for (std::size_t value = 0; value < table.size(); ++value) {
            const auto code = Windows1252::encode(static_cast<char16_t>(value));
            table[value] = static_cast<std::int16_t>(code ? *code : -1);
        }
        return table;
    }();
    return codes;
}

// Copies the run of ASCII bytes at the start of `from`, eight at a time;
// returns how many it copied.
std::size_t copyAsciiWords(const std::uint8_t *from, std::size_t count, std::uint8_t *to) {
    std::size_t i = 0;
    for (; i + 8 <= count; i += 8) {
        const std::uint64_t word = load64(from + i);
        if ((word & kHighBits) != 0)
            break;
        std::memcpy(to + i, &word, sizeof word);
    }
    return i;
}

std::string quotedBytes(const std::uint8_t *bytes, std::size_t count) {
    std::string text = "'";
    for (std::size_t i = 0; i < count; ++i) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "\\x%02X", static_cast<unsigned>(bytes[i]));
        text += hex;
    }
    return text + "'";
}

std::string notUtf8(const std::uint8_t *bytes, std::size_t count) {
    return quotedBytes(bytes, count) + " is no UTF-8 character";
}

} // namespace

Utf8Reader::Character Utf8Reader::characterAt(const std::uint8_t *at, std::size_t available) {
    const std::uint8_t lead = at[0];
    if (lead < 0x80)
        return {true, 1, lead};
    // The bytes a lead byte starts, and the range of the byte after it that
    // keeps out overlong forms, surrogates and values past U+10FFFF.
    std::size_t length = 0;
    std::uint8_t low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return {false, 1, 0};
    }
    char32_t value = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if (i == available)
            return {true, 0, 0};
        if (at[i] < low || at[i] > high)
            return {false, i, 0};
        value = (value << 6) | (at[i] & 0x3FU);
        low = 0x80;
        high = 0xBF;
    }
    return {true, length, value};
}

void Utf8Reader::faultAt(const std::uint8_t *input, std::ptrdiff_t at, std::string message) {
    const LinePositions::Place place = m_positions.placeOf(input, at);
    m_fault = Fault{place.line, place.column, std::move(message)};
}

bool Utf8Reader::take(const Character &character, std::uint8_t *code) {
    if (!character.valid)
        return false;
    if (character.value < 0x80) {
        *code = static_cast<std::uint8_t>(character.value);
        return true;
    }
    const auto found = character.value > 0xFFFF
                           ? std::nullopt
                           : Windows1252::encode(static_cast<char16_t>(character.value));
    if (found)
        *code = *found;
    return found.has_value();
}

std::string Utf8Reader::refusal(const Character &character, const std::uint8_t *bytes) {
    if (!character.valid)
        return notUtf8(bytes, character.length);
    char hex[16];
    std::snprintf(hex, sizeof hex, "%04X", static_cast<unsigned>(character.value));
    return "character '" + std::string(bytes, bytes + character.length) + "' (U+" + hex +
           ") has no 8-bit code";
}

std::size_t Utf8Reader::read(const std::uint8_t *input, std::size_t count, std::uint8_t *codes) {
    if (m_fault || count == 0)
        return 0;
    std::uint8_t *o = codes;
    std::size_t p = 0;
    if (m_heldCount != 0) {
        // The character cut at the end of the piece before, completed.
        std::uint8_t joined[4];
        std::memcpy(joined, m_held, m_heldCount);
        const std::size_t added = std::min(count, sizeof joined - m_heldCount);
        std::memcpy(joined + m_heldCount, input, added);
        const Character character = characterAt(joined, m_heldCount + added);
        if (character.length == 0) {
            std::memcpy(m_held + m_heldCount, input, added);
            m_heldCount += added;
            m_positions.pass(input, count);
            return 0;
        }
        if (!take(character, o)) {
            faultAt(input, -static_cast<std::ptrdiff_t>(m_heldCount), refusal(character, joined));
            return 0;
        }
        ++o;
        p = character.length - m_heldCount;
        m_heldCount = 0;
    }
    const auto &twoBytes = twoByteCodes();
    while (p < count) {
        p += readLatinBlocks(input + p, count - p, o);
        const std::size_t ascii = copyAsciiWords(input + p, count - p, o);
        p += ascii;
        o += ascii;
        if (p == count)
            break;
        // The usual characters: ASCII, and two bytes that the code page has.
        const std::uint8_t lead = input[p];
        if (lead < 0x80) {
            *o++ = lead;
            ++p;
            continue;
        }
        if (lead >= 0xC2 && lead <= 0xDF && p + 1 < count && (input[p + 1] & 0xC0) == 0x80) {
            const std::int16_t code = twoBytes[((lead & 0x1FU) << 6) | (input[p + 1] & 0x3FU)];
            if (code >= 0) {
                *o++ = static_cast<std::uint8_t>(code);
                p += 2;
                continue;
            }
        }
        const Character character = characterAt(input + p, count - p);
        if (character.length == 0) {
            m_heldCount = count - p;
            std::memcpy(m_held, input + p, m_heldCount);
            break;
        }
        if (!take(character, o)) {
            faultAt(input, static_cast<std::ptrdiff_t>(p), refusal(character, input + p));
            return static_cast<std::size_t>(o - codes);
        }
        ++o;
        p += character.length;
    }
    m_positions.pass(input, count);
    return static_cast<std::size_t>(o - codes);
}

void Utf8Reader::finish() {
    if (m_fault || m_heldCount == 0)
        return;
    faultAt(nullptr, -static_cast<std::ptrdiff_t>(m_heldCount), notUtf8(m_held, m_heldCount));
    m_heldCount = 0;
}

void Utf8Reader::startFile() {
    finish();
    m_positions.startFile();
}

std::size_t writeCodesAsUtf8(const std::uint8_t *codes, std::size_t count, std::uint8_t *out) {
    // Each code's character in UTF-8, its length in the last byte.
    static const std::array<std::array<std::uint8_t, 4>, 256> kCharacters = [] {
        std::array<std::array<std::uint8_t, 4>, 256> table{};
        for (unsigned code = 0; code < 256; ++code) {
            const char32_t c = Windows1252::decode(static_cast<std::uint8_t>(code));
            auto &bytes = table[code];
            if (c < 0x80) {
                bytes = {static_cast<std::uint8_t>(c), 0, 0, 1};
            } else if (c < 0x800) {
                bytes = {static_cast<std::uint8_t>(0xC0 | (c >> 6)),
                         static_cast<std::uint8_t>(0x80 | (c & 0x3F)), 0, 2};
            } else {
                bytes = {static_cast<std::uint8_t>(0xE0 | (c >> 12)),
                         static_cast<std::uint8_t>(0x80 | ((c >> 6) & 0x3F)),
                         static_cast<std::uint8_t>(0x80 | (c & 0x3F)), 3};
            }
        }
        return table;
    }();
    std::uint8_t *o = out;
    std::size_t i = 0;
    while (i < count) {
        const std::size_t ascii = copyAsciiWords(codes + i, count - i, o);
        i += ascii;
        o += ascii;
        for (const std::size_t end = std::min(count, i + 8); i < end; ++i) {
            const auto &bytes = kCharacters[codes[i]];
            std::memcpy(o, bytes.data(), 3);
            o += bytes[3];
        }
    }
    return static_cast<std::size_t>(o - out);
}

} // namespace glyphmill::convert
