// Text typed into the window: its three conversions against the step-by-step
// model.
#include "fuzz/fuzz_harness.h"
#include "tests/support/against_model.h"
#include "tests/support/stepwise_model.h"

using namespace glyphmill;

// Each byte is the character of its code in the code page; 0xFF and the next
// two bytes spell any UTF-16 unit, lone surrogates included.
std::string differencesOn(std::string_view input) {
    std::u16string typed;
    for (std::size_t at = 0; at < input.size(); ++at) {
        const bool unit = input[at] == '\xFF' && at + 2 < input.size();
        typed += unit ? char16_t((input[at + 1] & 0xFF) | (input[at + 2] & 0xFF) << 8)
                      : model::codePage(static_cast<std::uint8_t>(input[at]));
        at += unit ? 2 : 0;
    }
    return model::differencesFrom(typed);
}
