#include "random_generator.h"
#include "random_numbers.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

namespace glyphmill {
namespace {

std::vector<float> draw(RandomGenerator &generator, int count) {
    std::vector<float> numbers;
    for (int i = 0; i < count; ++i)
        numbers.push_back(generator.next());
    return numbers;
}

std::vector<float> drawProgramNumbers(int count) {
    std::vector<float> numbers;
    for (int i = 0; i < count; ++i)
        numbers.push_back(RandomNumbers::next());
    return numbers;
}

TEST(TipsRandomGenerator, NumbersAreSingleStepsOfTwoToTheMinus24BelowOne) {
    RandomGenerator generator(7);
    for (const float number : draw(generator, 200000)) {
        ASSERT_GE(number, 0.0F);
        ASSERT_LT(number, 1.0F);
        const double steps = static_cast<double>(number) * 16777216.0;
        ASSERT_EQ(steps, std::floor(steps)) << number;
    }
}

TEST(TipsRandomGenerator, SameStartValueGivesTheSameSequence) {
    RandomGenerator first(12345);
    RandomGenerator second(12345);
    EXPECT_EQ(draw(first, 100), draw(second, 100));
}

TEST(TipsRandomGenerator, OtherStartValueGivesAnotherSequence) {
    RandomGenerator first(12345);
    RandomGenerator second(12346);
    EXPECT_NE(draw(first, 10), draw(second, 10));
}

TEST(TipsRandomGenerator, RestartGoesBackToTheStart) {
    RandomGenerator generator(99);
    const std::vector<float> start = draw(generator, 20);
    draw(generator, 5);
    generator.restart(99);
    EXPECT_EQ(draw(generator, 20), start);
}

TEST(TipsRandomGenerator, SixteenEqualBinsFillEvenly) {
    constexpr int kBins = 16;
    constexpr int kDraws = 160000;
    RandomGenerator generator(2024);
    std::array<int, kBins> counts{};
    for (int i = 0; i < kDraws; ++i)
        ++counts[static_cast<std::size_t>(generator.next() * kBins)];
    const double expected = static_cast<double>(kDraws) / kBins;
    double chiSquare = 0.0;
    for (const int count : counts)
        chiSquare += (count - expected) * (count - expected) / expected;
    // 15 degrees of freedom: above 37.70 one time in a thousand.
    EXPECT_LT(chiSquare, 37.70);
}

class TipsRandomNumbers : public ::testing::Test {
  protected:
    void TearDown() override { RandomNumbers::removeFixedSource(); }
};

TEST_F(TipsRandomNumbers, FixedSourceGivesItsNumbersAndRandomizeKeepsThem) {
    std::vector<float> source = {0.25F, 0.5F, 0.0F};
    std::size_t at = 0;
    RandomNumbers::installFixedSource([&] { return source[at++ % source.size()]; });
    EXPECT_EQ(RandomNumbers::next(), 0.25F);
    RandomNumbers::randomize();
    EXPECT_EQ(RandomNumbers::next(), 0.5F);
    EXPECT_EQ(RandomNumbers::next(), 0.0F);
    EXPECT_EQ(RandomNumbers::next(), 0.25F);
}

TEST_F(TipsRandomNumbers, RemovingTheFixedSourceGoesBackToTheGenerator) {
    RandomNumbers::installFixedSource([] { return 0.75F; });
    RandomNumbers::removeFixedSource();
    const std::vector<float> numbers = drawProgramNumbers(50);
    EXPECT_NE(numbers, std::vector<float>(50, 0.75F));
    for (const float number : numbers) {
        EXPECT_GE(number, 0.0F);
        EXPECT_LT(number, 1.0F);
    }
}

TEST_F(TipsRandomNumbers, EachRandomizeStartsAnotherSequence) {
    RandomNumbers::randomize();
    const std::vector<float> first = drawProgramNumbers(8);
    RandomNumbers::randomize();
    const std::vector<float> second = drawProgramNumbers(8);
    EXPECT_NE(first, second);
}

} // namespace
} // namespace glyphmill
