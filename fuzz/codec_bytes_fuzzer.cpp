// Bytes given to the codec as a file or a pipe gives them: the byte paths and
// the layouts against the step-by-step model, whole and in the pieces that
// the first four bytes pick.
#include "fuzz/fuzz_harness.h"
#include "tests/support/against_model.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

using namespace glyphmill;

std::string differencesOn(std::string_view input) {
    std::uint32_t pieceChoice = 1;
    std::memcpy(&pieceChoice, input.data(), std::min(input.size(), sizeof pieceChoice));
    return model::codecDifferencesFrom(input, 0) +
           model::codecDifferencesFrom(input, pieceChoice | 1);
}
