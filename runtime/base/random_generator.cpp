#include "runtime/base/random_generator.h"

namespace glyphmill {

RandomGenerator::RandomGenerator(std::uint32_t startValue)
    : m_engine(startValue) {}

void RandomGenerator::restart(std::uint32_t startValue) {
    m_engine = std::mt19937(startValue);
}

float RandomGenerator::next() {
    constexpr float kUnit = 1.0F / 16777216.0F; // 2^-24
    return static_cast<float>(m_engine() >> 8) * kUnit;
}

} // namespace glyphmill
