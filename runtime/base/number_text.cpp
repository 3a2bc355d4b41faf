#include "runtime/base/number_text.h"

#include "runtime/base/runtime_error.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>

namespace glyphmill {
namespace {

bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// Length of the number spelled at the start of `text` (sign, digits with an
// optional point, an optional exponent), 0 when it spells none.
std::size_t numberLength(std::u16string_view text) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    std::size_t digits = 0;
    while (i < text.size() && isDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < text.size() && text[i] == u'.') {
        ++i;
        while (i < text.size() && isDigit(text[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return 0;
    if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == u'+' || text[j] == u'-'))
            ++j;
        if (j < text.size() && isDigit(text[j])) {
            while (j < text.size() && isDigit(text[j]))
                ++j;
            i = j;
        }
    }
    return i;
}

// The power of ten of the leading significant digit of an unsigned spelled
// number, saturated; only its sign matters to the caller.
long long decimalOrder(std::string_view spelled) {
    const std::size_t e = spelled.find_first_of("eE");
    const std::string_view mantissa = spelled.substr(0, e);
    long long exponent = 0;
    if (e != std::string_view::npos) {
        std::size_t i = e + 1;
        const bool negative = spelled[i] == '-';
        if (spelled[i] == '+' || spelled[i] == '-')
            ++i;
        for (; i < spelled.size() && exponent < 1'000'000'000; ++i)
            exponent = exponent * 10 + (spelled[i] - '0');
        if (negative)
            exponent = -exponent;
    }
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t firstSignificant = mantissa.find_first_of("123456789");
    if (firstSignificant == std::string_view::npos)
        return -1;
    const long long position = static_cast<long long>(firstSignificant);
    const long long order = position < static_cast<long long>(point)
                                ? static_cast<long long>(point) - position - 1
                                : static_cast<long long>(point) - position;
    return order + exponent;
}

// Reads a text that numberLength accepted in full. Out of range magnitudes
// become infinity or zero, with their sign.
double parseSpelledNumber(std::u16string_view spelled) {
    std::string ascii(spelled.size(), '\0');
    for (std::size_t i = 0; i < spelled.size(); ++i)
        ascii[i] = static_cast<char>(spelled[i]);
    const char *first = ascii.data();
    const bool negative = *first == '-';
    if (*first == '+' || *first == '-')
        ++first;
    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(first, ascii.data() + ascii.size(), value);
    if (ec == std::errc::result_out_of_range)
        value = decimalOrder(std::string_view(first, ascii.data() + ascii.size() - first)) > 0
                    ? std::numeric_limits<double>::infinity()
                    : 0.0;
    (void)ptr;
    return negative ? -value : value;
}

} // namespace

std::u16string numberText(double value) {
    if (!std::isfinite(value))
        throw RuntimeError::overflow();
    if (value == 0.0)
        return u"0";
    // Plain notation of a double has at most about 330 characters.
    std::array<char, 400> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed);
    return std::u16string(buffer.data(), result.ptr);
}

bool readsAsNumber(std::u16string_view text) {
    const std::size_t start = text.find_first_not_of(u" ");
    if (start == std::u16string_view::npos)
        return false;
    const std::size_t end = text.find_last_not_of(u" ") + 1;
    const std::u16string_view core = text.substr(start, end - start);
    return numberLength(core) == core.size();
}

double textToNumber(std::u16string_view text) {
    if (!readsAsNumber(text))
        throw RuntimeError::typeMismatch();
    const std::size_t start = text.find_first_not_of(u" ");
    const std::size_t end = text.find_last_not_of(u" ") + 1;
    const double value = parseSpelledNumber(text.substr(start, end - start));
    if (!std::isfinite(value))
        throw RuntimeError::overflow();
    return value;
}

} // namespace glyphmill
