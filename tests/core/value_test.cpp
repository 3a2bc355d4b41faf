#include "number_text.h"
#include "runtime_error.h"
#include "test_text.h"
#include "value.h"
#include "value_operations.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>

namespace glyphmill {
namespace {

using test::u16;
using test::u8;

// Runs `f` and returns the number of the runtime error it raises, 0 if none.
template <typename F> int errorNumberOf(F &&f) {
    try {
        f();
    } catch (const RuntimeError &error) {
        return error.number();
    }
    return 0;
}

TEST(RuntimeErrors, CarryTheRuntimesNumberAndDescription) {
    EXPECT_EQ(RuntimeError::overflow().number(), 6);
    EXPECT_EQ(RuntimeError::overflow().description(), "Overflow");
    EXPECT_EQ(RuntimeError::typeMismatch().number(), 13);
    EXPECT_EQ(RuntimeError::typeMismatch().description(), "Type mismatch");
    EXPECT_EQ(RuntimeError::divisionByZero().number(), 11);
    EXPECT_EQ(RuntimeError::divisionByZero().description(), "Division by zero");
    EXPECT_EQ(RuntimeError::overflow().withDetail("x").detail(), "x");
}

struct NumberTextCase {
    double number;
    const char *text;
};

class NumberTextTest : public ::testing::TestWithParam<NumberTextCase> {};

TEST_P(NumberTextTest, IsTheShortestPlainText) {
    EXPECT_EQ(u8(numberText(GetParam().number)), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, NumberTextTest,
    ::testing::Values(
        NumberTextCase{0.0, "0"}, NumberTextCase{-0.0, "0"}, NumberTextCase{1.0, "1"},
        NumberTextCase{1.5, "1.5"}, NumberTextCase{1.9999999999999998, "1.9999999999999998"},
        NumberTextCase{0.1, "0.1"}, NumberTextCase{-2.5, "-2.5"}, NumberTextCase{0.0001, "0.0001"},
        NumberTextCase{0.00001, "0.00001"}, NumberTextCase{1e-7, "0.0000001"},
        NumberTextCase{std::ldexp(1.0, -28), "0.000000003725290298461914"},
        NumberTextCase{1073741824.0, "1073741824"}, NumberTextCase{1e21, "1000000000000000000000"},
        NumberTextCase{123456789.125, "123456789.125"}, NumberTextCase{-0.000123, "-0.000123"}));

TEST(NumberText, ReadsBackToTheSameDoubleWithoutAnExponent) {
    std::mt19937_64 random(20261206);
    for (int i = 0; i < 20000; ++i) {
        double number = 0;
        const std::uint64_t bits = random();
        std::memcpy(&number, &bits, sizeof number);
        if (!std::isfinite(number))
            continue;
        const std::u16string text = numberText(number);
        ASSERT_EQ(text.find_first_of(u"eE"), std::u16string::npos) << u8(text);
        ASSERT_EQ(textToNumber(text), number == 0.0 ? 0.0 : number) << u8(text);
    }
}

TEST(NumberText, IgnoresTheLocale) {
    const char *previous = std::setlocale(LC_ALL, nullptr);
    const std::string restore = previous ? previous : "C";
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8") && !std::setlocale(LC_ALL, "fr_FR.UTF-8"))
        GTEST_SKIP() << "no locale with a decimal comma is installed";
    EXPECT_EQ(u8(numberText(2.5)), "2.5");
    EXPECT_EQ(textToNumber(u"2.5"), 2.5);
    EXPECT_FALSE(readsAsNumber(u"2,5"));
    std::setlocale(LC_ALL, restore.c_str());
}

TEST(NumberText, InfinityAndNanRaiseOverflow) {
    EXPECT_EQ(errorNumberOf([] { numberText(std::numeric_limits<double>::infinity()); }), 6);
    EXPECT_EQ(errorNumberOf([] { numberText(std::numeric_limits<double>::quiet_NaN()); }), 6);
}

TEST(IntegerText, IsPlainDecimal) {
    EXPECT_EQ(u8(integerText(0)), "0");
    EXPECT_EQ(u8(integerText(-32768)), "-32768");
    EXPECT_EQ(u8(integerText(2147483647)), "2147483647");
}

struct LeadingCase {
    const char *name;
    const char *text;
    double number;
};

class LeadingNumberTest : public ::testing::TestWithParam<LeadingCase> {};

TEST_P(LeadingNumberTest, ReadsTheLongestLeadingNumber) {
    EXPECT_EQ(leadingNumber(u16(GetParam().text)), GetParam().number);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LeadingNumberTest,
    ::testing::Values(LeadingCase{"whole", "12", 12}, LeadingCase{"trailing_letters", "12abc", 12},
                      LeadingCase{"blanks_then_number", " \t-3.5e2x", -350},
                      LeadingCase{"no_number", "abc", 0}, LeadingCase{"empty", "", 0},
                      LeadingCase{"sign_only", "-", 0}, LeadingCase{"incomplete_exponent", "1e", 1},
                      LeadingCase{"point_first", ".5", 0.5}, LeadingCase{"point_last", "5.", 5},
                      LeadingCase{"second_point_stops", "1.2.3", 1.2},
                      LeadingCase{"tiny_plain_text", "0.000000003725290298461914",
                                  std::ldexp(1.0, -28)},
                      LeadingCase{"underflow_is_zero", "1e-400", 0.0}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(LeadingNumber, TooLargeForADoubleRaisesOverflow) {
    EXPECT_EQ(errorNumberOf([] { leadingNumber(u"1e999"); }), 6);
}

struct ReadsCase {
    const char *name;
    const char *text;
    bool number;
};

class ReadsAsNumberTest : public ::testing::TestWithParam<ReadsCase> {};

TEST_P(ReadsAsNumberTest, AcceptsNumbersAsUsersTypeThem) {
    EXPECT_EQ(readsAsNumber(u16(GetParam().text)), GetParam().number);
    EXPECT_EQ(isNumeric(Value(u16(GetParam().text))), GetParam().number);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ReadsAsNumberTest,
    ::testing::Values(
        ReadsCase{"digits", "5", true}, ReadsCase{"spaces_around", "  5  ", true},
        ReadsCase{"plus", "+5", true}, ReadsCase{"minus", "-5", true},
        ReadsCase{"point_last", "5.", true}, ReadsCase{"point_first", ".5", true},
        ReadsCase{"exponent", "1e3", true}, ReadsCase{"signed_exponent", "1E-3", true},
        ReadsCase{"huge", "1e999", true}, ReadsCase{"empty", "", false},
        ReadsCase{"spaces_only", "  ", false}, ReadsCase{"minus_only", "-", false},
        ReadsCase{"point_only", ".", false}, ReadsCase{"nan", "nan", false},
        ReadsCase{"inf", "inf", false}, ReadsCase{"hex", "0x10", false},
        ReadsCase{"decimal_comma", "1,5", false}, ReadsCase{"bare_exponent", "1e", false},
        ReadsCase{"exponent_only", "e3", false}, ReadsCase{"inner_space", "5 5", false},
        ReadsCase{"sign_then_space", "- 5", false}, ReadsCase{"two_signs", "+-5", false},
        ReadsCase{"tab", "\t5", false}, ReadsCase{"trailing_letter", "5a", false}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(TextToNumber, ConvertsOrRaisesTheRuntimesErrors) {
    EXPECT_EQ(textToNumber(u" 42 "), 42.0);
    EXPECT_EQ(textToNumber(u"-0.5"), -0.5);
    EXPECT_EQ(textToNumber(u"1e-400"), 0.0);
    EXPECT_EQ(errorNumberOf([] { textToNumber(u"abc"); }), 13);
    EXPECT_EQ(errorNumberOf([] { textToNumber(u""); }), 13);
    EXPECT_EQ(errorNumberOf([] { textToNumber(u"1e999"); }), 6);
    EXPECT_EQ(errorNumberOf([] { textToNumber(u"-1e999"); }), 6);
    EXPECT_EQ(errorNumberOf([] { textToNumber(std::u16string(400, u'9')); }), 6);
    EXPECT_EQ(textToNumber(u"0." + std::u16string(400, u'0') + u"1"), 0.0);
}

TEST(IsNumeric, FollowsTheKindOfTheValue) {
    EXPECT_TRUE(isNumeric(Value()));
    EXPECT_TRUE(isNumeric(Value(2.5)));
    EXPECT_TRUE(isNumeric(Value::integer(-1)));
    EXPECT_FALSE(isNumeric(Value(u"")));
    EXPECT_FALSE(isNumeric(Value::array(2)));
    EXPECT_FALSE(isNumeric(Value::missing()));
}

TEST(IntegerConversions, RoundHalvesToEvenAndCheckTheRange) {
    EXPECT_EQ(roundToLong(0.5), 0);
    EXPECT_EQ(roundToLong(1.5), 2);
    EXPECT_EQ(roundToLong(2.5), 2);
    EXPECT_EQ(roundToLong(-0.5), 0);
    EXPECT_EQ(roundToLong(-1.5), -2);
    EXPECT_EQ(roundToLong(2147483647.4), 2147483647);
    EXPECT_EQ(roundToLong(-2147483648.4), -2147483647 - 1);
    EXPECT_EQ(errorNumberOf([] { roundToLong(2147483647.5); }), 6);
    EXPECT_EQ(floorToLong(1.9), 1);
    EXPECT_EQ(floorToLong(-1.1), -2);
    EXPECT_EQ(errorNumberOf([] { floorToLong(2147483648.0); }), 6);
    EXPECT_EQ(valueToLong(Value(u"7.5")), 8);
    EXPECT_EQ(multiplyLong(536870912, 2), 1073741824);
    EXPECT_EQ(errorNumberOf([] { multiplyLong(1073741824, 2); }), 6);
}

TEST(TextFunctions, MidCountsFromOneAndStopsAtTheEnd) {
    EXPECT_EQ(mid(Value(u"Hello"), 2, 3).text(), u"ell");
    EXPECT_EQ(mid(Value(u"Hello"), 4, 10).text(), u"lo");
    EXPECT_EQ(mid(Value(u"Hello"), 6, 1).text(), u"");
    EXPECT_EQ(mid(Value(u""), 1, 1).text(), u"");
    EXPECT_EQ(mid(Value(0.75), 1, 1).text(), u"0");
    EXPECT_EQ(mid(Value(-0.75), 1, 1).text(), u"-");
    EXPECT_EQ(errorNumberOf([] { mid(Value(u"x"), 0, 1); }), 5);
    EXPECT_EQ(textLength(Value(u"abc")), 3u);
    EXPECT_EQ(textLength(Value(1.25)), 4u);
}

TEST(TextFunctions, AnsiCodesAndCharacters) {
    EXPECT_EQ(ansiCode(u"A"), 65);
    EXPECT_EQ(ansiCode(u"€uro"), 128);
    EXPECT_EQ(ansiCode(u"ÿ"), 255);
    EXPECT_EQ(errorNumberOf([] { ansiCode(u""); }), 5);
    EXPECT_EQ(errorNumberOf([] { ansiCode(u"Ω"); }), 5);
    EXPECT_EQ(ansiCharacter(128), u"€");
    EXPECT_EQ(ansiCharacter(0), std::u16string(1, u'\0'));
    EXPECT_EQ(errorNumberOf([] { ansiCharacter(256); }), 5);
    EXPECT_EQ(errorNumberOf([] { ansiCharacter(-1); }), 5);
}

TEST(TextFunctions, ReplaceIsExactAndDoesNotRescan) {
    EXPECT_EQ(replaceAll(u"01\r\n10\r\n", u"\r\n", u""), u"0110");
    EXPECT_EQ(replaceAll(u"\r\r\n\n", u"\r\n", u""), u"\r\n");
    EXPECT_EQ(replaceAll(u"a\rb\nc", u"\r\n", u""), u"a\rb\nc");
    EXPECT_EQ(replaceAll(u"abc", u"", u"x"), u"abc");
    EXPECT_EQ(replaceAll(u"aaa", u"a", u"bb"), u"bbbbbb");
}

TEST(Concatenation, JoinsTheTextsOfBothValues) {
    EXPECT_EQ(concatenate(Value(1.5), Value(u"x")).text(), u"1.5x");
    EXPECT_EQ(concatenate(Value(), Value(u"a")).text(), u"a");
    EXPECT_EQ(concatenate(Value::integer(-3), Value::longInteger(40)).text(), u"-340");
}

TEST(Arithmetic, ANumericTextTakesPartAsItsNumber) {
    const Value sum = add(Value(u"128"), Value(0.0));
    EXPECT_TRUE(sum.isNumber());
    EXPECT_EQ(sum.toNumber(), 128.0);
    EXPECT_EQ(add(Value(64.0), Value(u"64")).toNumber(), 128.0);
    EXPECT_EQ(add(Value(u"1"), Value(u"2")).text(), u"12"); // two texts join
    EXPECT_EQ(add(Value(), Value()).kind(), Value::Kind::Integer);
    EXPECT_EQ(add(Value(), Value(u"5")).toNumber(), 5.0);
    EXPECT_EQ(subtract(Value(u"10"), Value(3.0)).toNumber(), 7.0);
    EXPECT_EQ(subtract(Value(u"10"), Value(u"3")).toNumber(), 7.0);
    EXPECT_EQ(divide(Value(u"3"), Value::integer(2)).toNumber(), 1.5);
    EXPECT_EQ(divide(Value::integer(1), Value::integer(2)).kind(), Value::Kind::Double);
}

TEST(Arithmetic, WholeNumbersWidenInsteadOfWrapping) {
    const Value wide = add(Value::integer(32767), Value::integer(1));
    EXPECT_EQ(wide.kind(), Value::Kind::Long);
    EXPECT_EQ(wide.toNumber(), 32768.0);
    const Value wider = add(Value::longInteger(2147483647), Value::integer(1));
    EXPECT_EQ(wider.kind(), Value::Kind::Double);
    EXPECT_EQ(wider.toNumber(), 2147483648.0);
    EXPECT_EQ(subtract(Value::integer(-32768), Value::integer(1)).toNumber(), -32769.0);
}

TEST(Arithmetic, RaisesTheRuntimesErrors) {
    EXPECT_EQ(errorNumberOf([] { add(Value(u"abc"), Value(1.0)); }), 13);
    EXPECT_EQ(errorNumberOf([] { add(Value(1e308), Value(1e308)); }), 6);
    EXPECT_EQ(errorNumberOf([] { divide(Value(1.0), Value(0.0)); }), 11);
    EXPECT_EQ(errorNumberOf([] { divide(Value(0.0), Value(0.0)); }), 6);
    EXPECT_EQ(errorNumberOf([] { divide(Value(1e308), Value(1e-308)); }), 6);
    EXPECT_EQ(errorNumberOf([] { subtract(Value::array(1), Value(1.0)); }), 13);
}

TEST(Comparisons, TextAgainstNumberComparesAsNumber) {
    EXPECT_TRUE(equals(Value(u"1"), Value::integer(1)));
    EXPECT_TRUE(equals(Value(u"1.0"), Value::integer(1)));
    EXPECT_FALSE(equals(Value(u"0"), Value::integer(1)));
    EXPECT_TRUE(greaterOrEqual(Value(u"1"), Value::integer(1)));
    EXPECT_TRUE(greater(Value(u"1073741825"), Value::longInteger(1073741824)));
    EXPECT_TRUE(lessOrEqual(Value(u" 9 "), Value(10.0)));
    EXPECT_EQ(errorNumberOf([] { equals(Value(u"-"), Value::integer(1)); }), 13);
    EXPECT_EQ(errorNumberOf([] { greaterOrEqual(Value(u"x"), Value::integer(1)); }), 13);
    EXPECT_EQ(errorNumberOf([] { greater(Value(u"1e999"), Value::integer(1)); }), 6);
}

TEST(Comparisons, TwoTextsCompareByCodes) {
    EXPECT_TRUE(greater(Value(u"9"), Value(u"10")));
    EXPECT_TRUE(equals(Value(u"1"), Value(u"1")));
    EXPECT_FALSE(equals(Value(u"1"), Value(u"1.0")));
    EXPECT_FALSE(equals(Value(u""), Value(u"1")));
    EXPECT_TRUE(greater(Value(u"a"), Value(u"B")));
}

TEST(Comparisons, EmptyIsZeroBesideANumberAndEmptyTextBesideAText) {
    EXPECT_TRUE(equals(Value(), Value::integer(0)));
    EXPECT_TRUE(lessOrEqual(Value(), Value(0.5)));
    EXPECT_TRUE(equals(Value(), Value(u"")));
    EXPECT_FALSE(equals(Value(), Value(u"0")));
    EXPECT_TRUE(equals(Value(), Value()));
    EXPECT_TRUE(true == greater(Value(1.0), Value()));
}

TEST(Values, ArraysHoldValuesByIndex) {
    Value table = Value::array(3);
    table[2] = Value(u"x");
    EXPECT_EQ(table.size(), 3u);
    EXPECT_EQ(table[2].text(), u"x");
    EXPECT_EQ(table[0].kind(), Value::Kind::Empty);
    EXPECT_EQ(errorNumberOf([&] { table[3]; }), 9);
    EXPECT_EQ(Value::boolean(true).toNumber(), -1.0);
    EXPECT_EQ(Value::boolean(false).toNumber(), 0.0);
}

} // namespace
} // namespace glyphmill
