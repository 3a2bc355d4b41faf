#include "runtime/base/random_numbers.h"

#include "runtime/base/random_generator.h"

#include <chrono>

namespace glyphmill {
namespace {

constexpr std::uint32_t kFirstStartValue = 0x2F6E2B1U;

struct ProgramRandomNumbers {
    RandomGenerator generator{kFirstStartValue};
    RandomNumbers::FixedSource fixedSource;
    std::uint32_t randomizeCount = 0;
};

ProgramRandomNumbers &state() {
    static ProgramRandomNumbers numbers;
    return numbers;
}

} // namespace

void RandomNumbers::randomize() {
    ProgramRandomNumbers &numbers = state();
    if (numbers.fixedSource)
        return;
    const auto ticks =
        static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count() ^
                                   std::chrono::steady_clock::now().time_since_epoch().count());
    // The count keeps two calls within one clock tick apart.
    ++numbers.randomizeCount;
    numbers.generator.restart(static_cast<std::uint32_t>(ticks ^ (ticks >> 32)) ^
                              (numbers.randomizeCount * 0x9E3779B9U));
}

float RandomNumbers::next() {
    ProgramRandomNumbers &numbers = state();
    if (numbers.fixedSource)
        return numbers.fixedSource();
    return numbers.generator.next();
}

void RandomNumbers::installFixedSource(FixedSource source) {
    state().fixedSource = std::move(source);
}

void RandomNumbers::removeFixedSource() {
    state().fixedSource = nullptr;
}

} // namespace glyphmill
