#include "number_to_binary.h"
#include "test_text.h"

#include <gtest/gtest.h>

namespace glyphmill {
namespace {

using test::u16;
using test::u8;

struct Case {
    const char *name;
    const char *typed;
    std::string digits;
};

class NumberToBinaryTest : public ::testing::TestWithParam<Case> {};

TEST_P(NumberToBinaryTest, WritesTheDigitsOfTheWholePart) {
    const NumberToBinaryResult result = numberToBinary(u16(GetParam().typed));
    EXPECT_TRUE(result.converted);
    EXPECT_FALSE(result.error.has_value());
    EXPECT_EQ(u8(result.digits), GetParam().digits);
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, NumberToBinaryTest,
    ::testing::Values(Case{"five", "5", "101"}, Case{"four", "4", "100"}, Case{"one", "1", "1"},
                      Case{"zero", "0", "0"}, Case{"two", "2", "10"}, Case{"three", "3", "11"},
                      Case{"half", "0.5", "0"}, Case{"minus_zero", "-0", "0"},
                      Case{"fraction_dropped", "5.9", "101"},
                      Case{"just_below_two", "1.9999999", "1"}, Case{"byte", "255", "11111111"},
                      Case{"byte_plus_one", "256", "100000000"},
                      Case{"spaces_and_sign", "  +6  ", "110"},
                      Case{"exponent", "1e3", "1111101000"}, Case{"point_last", "5.", "101"},
                      Case{"point_first", ".5", "0"},
                      Case{"two_to_the_15_plus_1", "32769", "1000000000000001"},
                      Case{"two_to_the_29_plus_1", "536870913", "100000000000000000000000000001"},
                      Case{"largest", "1073741824", "1" + std::string(30, '0')},
                      Case{"largest_minus_one", "1073741823", std::string(30, '1')},
                      Case{"rounds_to_largest", "1073741824.0000001", "1" + std::string(30, '0')},
                      Case{"tiny_fraction", "1e-300", "0"}),
    [](const auto &info) { return std::string(info.param.name); });

struct Refused {
    const char *name;
    std::string typed;
    int number;
    const char *description;
};

class RefusedNumberTest : public ::testing::TestWithParam<Refused> {};

TEST_P(RefusedNumberTest, ReportsTheRuntimesError) {
    const NumberToBinaryResult result = numberToBinary(u16(GetParam().typed));
    EXPECT_TRUE(result.converted);
    ASSERT_TRUE(result.error.has_value());
    EXPECT_EQ(result.error->number(), GetParam().number);
    EXPECT_EQ(result.error->description(), GetParam().description);
    EXPECT_TRUE(result.digits.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, RefusedNumberTest,
    ::testing::Values(Refused{"above_largest", "1073741825", 6, "Overflow"},
                      Refused{"barely_above_largest", "1073741824.0000003", 6, "Overflow"},
                      Refused{"huge", "1e999", 6, "Overflow"},
                      Refused{"huge_negative", "-1e999", 6, "Overflow"},
                      Refused{"ten_thousand_digits", std::string(10000, '9'), 6, "Overflow"},
                      Refused{"minus_one", "-1", 13, "Type mismatch"},
                      Refused{"tiny_negative", "-0.0000001", 13, "Type mismatch"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(NumberToBinary, ATextThatIsNoNumberChangesNothing) {
    for (const char *typed : {"", "  ", "-", "nan", "inf", "1,5", "0x10", "five", "1e"}) {
        const NumberToBinaryResult result = numberToBinary(u16(typed));
        EXPECT_FALSE(result.converted) << typed;
        EXPECT_FALSE(result.error.has_value()) << typed;
    }
}

} // namespace
} // namespace glyphmill
