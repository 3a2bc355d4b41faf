#include "codec/digit_group_encoder.h"

namespace glyphmill {

DigitGroupEncoder::DigitGroupEncoder(DigitSeparator separator, CodecPath path) noexcept
    : m_separator(separator)
    , m_path(path) {}

std::size_t DigitGroupEncoder::encode(const std::uint8_t *codes, std::size_t count,
                                      char *out) noexcept {
    if (count == 0)
        return 0;
    std::size_t written = 0;
    // Each group of the space layout brings the space before it, but the
    // first one.
    if (m_separator == DigitSeparator::Space && !m_started) {
        writeDigitGroupsWith(m_path, DigitSeparator::None, codes, 1, out);
        written = digitGroupLength(DigitSeparator::None);
        ++codes;
        --count;
    }
    m_started = true;
    writeDigitGroupsWith(m_path, m_separator, codes, count, out + written);
    return written + count * digitGroupLength(m_separator);
}

std::size_t DigitGroupEncoder::finish(char *out) noexcept {
    if (m_separator != DigitSeparator::Space || !m_started)
        return 0;
    m_started = false;
    *out = '\n';
    return 1;
}

} // namespace glyphmill
