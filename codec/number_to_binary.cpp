#include "codec/number_to_binary.h"

#include "runtime/base/number_text.h"

#include <cmath>
#include <cstdint>

namespace glyphmill {

NumberToBinaryResult numberToBinary(std::u16string_view numberBoxText) {
    NumberToBinaryResult result;
    if (!readsAsNumber(numberBoxText))
        return result;
    result.converted = true;
    double number = 0.0;
    try {
        number = textToNumber(numberBoxText);
    } catch (const RuntimeError &error) {
        result.error = error;
        return result;
    }
    // The digit count comes from the smallest power of two, from 2 upwards,
    // that is not below the number; doubling past 2^30 overflows.
    if (number > kLargestConvertibleNumber) {
        result.error = RuntimeError::overflow();
        return result;
    }
    if (number < 0.0) {
        result.error = RuntimeError::typeMismatch();
        return result;
    }
    int exponent = 1;
    while (number > std::ldexp(1.0, exponent))
        ++exponent;
    const auto whole = static_cast<std::uint32_t>(std::floor(number));
    for (int bit = exponent; bit >= 0; --bit)
        result.digits.push_back((whole >> bit) & 1U ? u'1' : u'0');
    // Only the first digit can be a leading zero: the power is the smallest
    // one not below the number.
    if (result.digits.front() == u'0')
        result.digits.erase(0, 1);
    return result;
}

} // namespace glyphmill
