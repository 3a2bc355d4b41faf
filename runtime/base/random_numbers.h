#pragma once

#include <cstdint>
#include <functional>

namespace glyphmill {

// The program's random numbers: one sequence for the whole program, in
// [0, 1) and of single precision. Until it is randomized the sequence starts
// from the same value on every run.
class RandomNumbers {
  public:
    using FixedSource = std::function<float()>;

    // Restarts the sequence from the clock.
    static void randomize();
    static float next();

    // Tests make the numbers predictable: from now on `next` returns what the
    // source gives (it must give numbers in [0, 1)) and `randomize` changes
    // nothing, until the source is removed.
    static void installFixedSource(FixedSource source);
    static void removeFixedSource();
};

} // namespace glyphmill
