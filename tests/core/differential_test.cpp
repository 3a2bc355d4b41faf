// The production conversions against the step-by-step model, on many
// generated inputs.
#include "binary_to_text.h"
#include "number_text.h"
#include "number_to_binary.h"
#include "stepwise_model.h"
#include "test_text.h"
#include "text_to_binary.h"
#include "windows_1252.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace glyphmill {
namespace {

using test::u8;

std::u16string latin1(const std::string &ascii) {
    return std::u16string(ascii.begin(), ascii.end());
}

void expectSameAsModel(const std::u16string &typed) {
    const NumberToBinaryResult result = numberToBinary(typed);
    const model::TextBoxes expected = model::numberToBinary(typed, u"before");
    ASSERT_EQ(result.converted, expected.numberConverted) << u8(typed);
    if (!result.converted)
        return;
    ASSERT_EQ(result.error.has_value(), expected.error.has_value()) << u8(typed);
    if (result.error) {
        EXPECT_EQ(result.error->number(), expected.error->number()) << u8(typed);
        EXPECT_TRUE(expected.answer.empty()) << u8(typed);
    } else {
        ASSERT_EQ(u8(result.digits), u8(expected.answer)) << u8(typed);
    }
    EXPECT_EQ(expected.number, typed);
}

TEST(NumberToBinaryAgainstModel, EveryWholeNumberUpTo2To16) {
    for (int n = 0; n <= 65536; ++n)
        expectSameAsModel(numberText(n));
}

TEST(NumberToBinaryAgainstModel, PowersOfTwoAndTheirNeighbours) {
    for (int k = 0; k <= 30; ++k) {
        const double power = std::ldexp(1.0, k);
        for (const double n : {power - 1, power, power + 1})
            expectSameAsModel(numberText(n));
    }
    expectSameAsModel(u"1073741825");
    expectSameAsModel(u"1073741824.0000001");
    expectSameAsModel(u"2147483648");
}

TEST(NumberToBinaryAgainstModel, RandomWholeAndFractionalNumbers) {
    std::mt19937_64 random(1206);
    std::uniform_int_distribution<std::int64_t> whole(0, 1LL << 30);
    std::uniform_real_distribution<double> fraction(0.0, 1.0);
    std::uniform_int_distribution<int> scale(0, 30);
    for (int i = 0; i < 20000; ++i) {
        expectSameAsModel(numberText(static_cast<double>(whole(random))));
        const double fractional = fraction(random) * std::ldexp(1.0, scale(random));
        expectSameAsModel(numberText(fractional));
        expectSameAsModel(numberText(-fractional));
    }
}

TEST(NumberToBinaryAgainstModel, TypedForms) {
    for (const char *typed : {"",
                              " ",
                              "-",
                              "+",
                              ".",
                              "5",
                              " 5 ",
                              "+5",
                              "-5",
                              "5.",
                              ".5",
                              "1e3",
                              "1E+3",
                              "1e-3",
                              "-0",
                              "0.0",
                              "1e999",
                              "-1e999",
                              "1e-400",
                              "nan",
                              "inf",
                              "1,5",
                              "0x10",
                              "12a",
                              "1073741824.0000003",
                              "0.9999999999999999",
                              "1.0000000000000002"})
        expectSameAsModel(latin1(typed));
}

// Digit runs mixed with the characters that take a digit position.
std::u16string noisyDigits(std::mt19937_64 &random, std::size_t length) {
    static const std::u16string pieces[] = {u"0",  u"1", u"1", u"0", u"\r\n", u"\r",
                                            u"\n", u" ", u"x", u"2", u"€",    u"\r\r\n\n"};
    std::uniform_int_distribution<std::size_t> pick(0, std::size(pieces) - 1);
    std::u16string text;
    while (text.size() < length)
        text += pieces[pick(random)];
    return text;
}

TEST(BinaryToTextAgainstModel, GeneratedDigitStrings) {
    std::mt19937_64 random(7);
    std::uniform_int_distribution<std::size_t> length(0, 80);
    for (int i = 0; i < 5000; ++i) {
        const std::u16string input = noisyDigits(random, length(random));
        const BinaryToTextResult result = binaryToText(input);
        const model::TextBoxes expected = model::binaryToText(input);
        ASSERT_EQ(result.answer, expected.answer) << u8(input);
        ASSERT_EQ(result.work, expected.work) << u8(input);
    }
}

TEST(BinaryToTextAgainstModel, CleanLinesOfEveryCode) {
    std::u16string input;
    for (int code = 0; code <= 255; ++code) {
        for (int bit = 7; bit >= 0; --bit)
            input += (code >> bit) & 1 ? u'1' : u'0';
        input += u"\r\n";
    }
    const model::TextBoxes expected = model::binaryToText(input);
    EXPECT_EQ(binaryToText(input).answer, expected.answer);
    EXPECT_EQ(expected.answer.size(), 255u);
}

TEST(TextToBinaryAgainstModel, GeneratedTexts) {
    std::mt19937_64 random(42);
    std::uniform_int_distribution<std::size_t> length(0, 40);
    std::uniform_int_distribution<int> unit(0, 0x2200);
    for (int i = 0; i < 3000; ++i) {
        std::u16string input(length(random), u'\0');
        for (char16_t &c : input) {
            const int drawn = unit(random);
            // Mostly characters of the code page, now and then one outside it.
            c = static_cast<char16_t>(drawn < 0x2000 ? drawn % 256 : drawn);
        }
        const TextToBinaryResult result = textToBinary(input);
        const model::TextBoxes expected = model::textToBinary(input);
        ASSERT_EQ(latin1(result.answer), expected.answer) << u8(input);
        ASSERT_EQ(result.error.has_value(), expected.error.has_value()) << u8(input);
        if (result.error) {
            EXPECT_EQ(result.error->description(), expected.error->description());
        }
    }
}

TEST(TextToBinaryAgainstModel, EveryCodeOfTheCodePage) {
    std::u16string input;
    for (int code = 0; code <= 255; ++code)
        input += Windows1252::decode(static_cast<std::uint8_t>(code));
    const TextToBinaryResult result = textToBinary(input);
    EXPECT_FALSE(result.error.has_value());
    EXPECT_EQ(latin1(result.answer), model::textToBinary(input).answer);
}

} // namespace
} // namespace glyphmill
