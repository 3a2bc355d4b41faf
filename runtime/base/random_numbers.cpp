#include "runtime/base/random_numbers.h"

#include "runtime/base/random_generator.h"

#include <chrono>

namespace glyphmill {
namespace {

constexpr std::uint32_t kFirstStartValue = 0x2F6E2B1U;

struct ProgramRandomNumbers {
    RandomGenerator generator{kFirstStartValue};
    std::uint32_t randomizeCount = 0;
};

ProgramRandomNumbers &state() {
    static ProgramRandomNumbers numbers;
    return numbers;
}

} // namespace

void RandomNumbers::randomize() {
    ProgramRandomNumbers &numbers = state();
    const auto ticks =
        static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count() ^
                                   std::chrono::steady_clock::now().time_since_epoch().count());
    // The count keeps two calls within one clock tick apart.
    ++numbers.randomizeCount;
    numbers.generator.restart(static_cast<std::uint32_t>(ticks ^ (ticks >> 32)) ^
                              (numbers.randomizeCount * 0x9E3779B9U));
}

float RandomNumbers::next() {
    return state().generator.next();
}

} // namespace glyphmill
