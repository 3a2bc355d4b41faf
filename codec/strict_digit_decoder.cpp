#include "strict_digit_decoder.h"

#include "digit_swar.h"

#include <algorithm>

namespace glyphmill {
namespace {

bool isSeparator(std::uint8_t byte) {
    return byte == ' ' || byte == '\t' || byte == '\r' || byte == '\n';
}

} // namespace

void StrictDigitDecoder::startFile() noexcept {
    m_offset = 0;
    m_line = 1;
    m_lineStart = 0;
}

void StrictDigitDecoder::faultAt(const std::uint8_t *input, std::size_t at) noexcept {
    Fault fault;
    const std::uint8_t *end = input + at;
    fault.line = m_line + static_cast<std::uint64_t>(std::count(input, end, '\n'));
    const auto lastLineFeed =
        std::find(std::make_reverse_iterator(end), std::make_reverse_iterator(input), '\n');
    const std::uint64_t lineStart =
        lastLineFeed.base() == input
            ? m_lineStart
            : m_offset + static_cast<std::uint64_t>(lastLineFeed.base() - input);
    fault.column = m_offset + at - lineStart + 1;
    fault.found = input[at];
    m_fault = fault;
}

std::size_t StrictDigitDecoder::decode(const std::uint8_t *input, std::size_t count,
                                       std::uint8_t *out) noexcept {
    if (m_fault)
        return 0;
    std::uint8_t *o = out;
    std::size_t p = 0;
    while (p < count) {
        if (m_count == 0) {
            // Whole groups as the usual form has them, a line break after
            // each.
            while (p + 8 <= count) {
                const std::uint64_t word = swar::load64(input + p);
                if (!swar::allDigits(word))
                    break;
                *o++ = swar::gatherLowBits(word);
                p += 8;
                if (p + 2 <= count && input[p] == '\r' && input[p + 1] == '\n')
                    p += 2;
            }
            if (p == count)
                break;
        }
        const std::uint8_t byte = input[p];
        if (byte == '0' || byte == '1') {
            m_bits = (m_bits << 1) | (byte & 1U);
            if (++m_count == 8) {
                *o++ = static_cast<std::uint8_t>(m_bits);
                m_bits = 0;
                m_count = 0;
            }
        } else if (!isSeparator(byte) || m_count != 0) {
            faultAt(input, p);
            return static_cast<std::size_t>(o - out);
        }
        ++p;
    }
    m_line += static_cast<std::uint64_t>(std::count(input, input + count, '\n'));
    const auto lastLineFeed = std::find(std::make_reverse_iterator(input + count),
                                        std::make_reverse_iterator(input), '\n');
    if (lastLineFeed.base() != input)
        m_lineStart = m_offset + static_cast<std::uint64_t>(lastLineFeed.base() - input);
    m_offset += count;
    return static_cast<std::size_t>(o - out);
}

void StrictDigitDecoder::finish() noexcept {
    if (m_fault || m_count == 0)
        return;
    Fault fault;
    fault.line = m_line;
    fault.column = m_offset - m_lineStart + 1;
    fault.found = kEndOfInput;
    m_fault = fault;
}

} // namespace glyphmill
