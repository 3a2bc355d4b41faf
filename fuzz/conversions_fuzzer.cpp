// The window's conversions and the codec's byte paths against the
// step-by-step model, and the decoding of a tips file.
#include "fuzz/fuzz_harness.h"
#include "runtime/base/text_file_encoding.h"
#include "tests/support/against_model.h"
#include "tests/support/stepwise_model.h"

#include <cstring>

using namespace glyphmill;

std::string differencesOn(std::string_view input) {
    // Characters of the code page; 0xFF and the next two bytes spell any
    // UTF-16 unit, lone surrogates included.
    std::u16string typed, codePage;
    for (const char byte : input)
        codePage += model::codePage(static_cast<std::uint8_t>(byte));
    for (std::size_t at = 0; at < input.size(); ++at) {
        const bool unit = input[at] == '\xFF' && at + 2 < input.size();
        typed += unit ? (input[at + 1] & 0xFF) | (input[at + 2] & 0xFF) << 8 : codePage[at];
        at += unit ? 2 : 0;
    }
    std::uint32_t pieceChoice = 1;
    std::memcpy(&pieceChoice, input.data(), std::min(input.size(), sizeof pieceChoice));
    std::string found = model::differencesFrom(typed) + model::pathDifferencesFrom(input, 0) +
                        model::pathDifferencesFrom(input, pieceChoice | 1);
    // A tips file that is no UTF-8 is read in the code page.
    const std::u16string text = decodeTextFile(input);
    return found + (isValidUtf8(input) || text == codePage ? "" : "tips text; ");
}
