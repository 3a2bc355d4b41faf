#pragma once

#include <cstdint>

namespace glyphmill {

// The program's random numbers: one sequence for the whole program, in
// [0, 1) and of single precision. Until it is randomized the sequence starts
// from the same value on every run.
class RandomNumbers {
  public:
    // Restarts the sequence from the clock.
    static void randomize();
    static float next();
};

} // namespace glyphmill
