#include "random_numbers.h"

#include <gtest/gtest.h>

#include <array>

namespace glyphmill {
namespace {

// A tip is chosen as the whole part of r * tips + 1: each of sixteen equal
// parts of [0, 1) must come up about as often as the others.
TEST(RandomNumbers, FillSixteenEqualPartsOfZeroToOneEvenly) {
    std::array<double, 16> counts{};
    for (int n = 0; n < 160000; ++n) {
        const float r = RandomNumbers::next();
        ASSERT_TRUE(r >= 0 && r < 1) << r;
        ++counts[static_cast<std::size_t>(r * 16)];
    }
    double chiSquare = 0;
    for (const double count : counts)
        chiSquare += (count - 10000) * (count - 10000) / 10000;
    EXPECT_LT(chiSquare, 37.70); // 15 degrees of freedom: above one time in a thousand
}

TEST(RandomNumbers, RandomizeStartsAnotherSequenceEachTime) {
    std::array<float, 6> numbers{};
    for (std::size_t n = 0; n < numbers.size(); ++n) {
        if (n % 3 == 0)
            RandomNumbers::randomize();
        numbers[n] = RandomNumbers::next();
    }
    EXPECT_FALSE(std::equal(numbers.begin(), numbers.begin() + 3, numbers.begin() + 3));
}

} // namespace
} // namespace glyphmill
