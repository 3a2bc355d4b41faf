#pragma once

#include <cstdint>
#include <random>

namespace glyphmill {

// A generator of single-precision random numbers in [0, 1). The same start
// value always gives the same sequence.
class RandomGenerator {
  public:
    explicit RandomGenerator(std::uint32_t startValue);

    void restart(std::uint32_t startValue);
    // A multiple of 2^-24: every such number below 1 is exact in a float and
    // equally likely.
    float next();

  private:
    std::mt19937 m_engine;
};

} // namespace glyphmill
