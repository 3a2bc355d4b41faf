#pragma once

#include "runtime/base/runtime_error.h"

#include <optional>
#include <string>
#include <string_view>

namespace glyphmill {

// The largest number "Number To Binary" accepts: 2 to the power 30.
inline constexpr double kLargestConvertibleNumber = 1073741824.0;

struct NumberToBinaryResult {
    // False when the number box holds no number: then nothing changes.
    bool converted = false;
    // The binary digits of the number's whole part, without leading zeros.
    std::u16string digits;
    // A refused number: above 2^30 (overflow) or negative (type mismatch).
    std::optional<RuntimeError> error;
};

// The answer of "Number To Binary" for the text of the number box.
NumberToBinaryResult numberToBinary(std::u16string_view numberBoxText);

} // namespace glyphmill
