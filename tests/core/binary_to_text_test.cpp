#include "binary_to_text.h"
#include "test_text.h"

#include <gtest/gtest.h>

namespace glyphmill {
namespace {

using test::u8;

struct Case {
    const char *name;
    std::u16string input;
    std::u16string answer;
    std::u16string work;
};

class BinaryToTextTest : public ::testing::TestWithParam<Case> {};

TEST_P(BinaryToTextTest, ReadsGroupsOfEightAsTheyCome) {
    const BinaryToTextResult result = binaryToText(GetParam().input);
    EXPECT_EQ(u8(result.answer), u8(GetParam().answer));
    EXPECT_EQ(result.answer, GetParam().answer);
    EXPECT_EQ(result.work, GetParam().work);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, BinaryToTextTest,
    ::testing::Values(
        Case{"empty", u"", u"", u""}, Case{"hi", u"0100100001101001", u"Hi", u"0100100001101001"},
        Case{"hi_in_lines", u"01001000\r\n01101001\r\n", u"Hi", u"0100100001101001"},
        Case{"space_takes_a_position", u"01000001 01000010", u"A!", u"01000001 01000010"},
        Case{"zero_group_adds_nothing", u"00000000", u"", u"00000000"},
        Case{"zero_group_between", u"010000010000000001000010", u"AB", u"010000010000000001000010"},
        Case{"single_one_is_128", u"1", u"€", u"1"},
        Case{"short_group_padded_right", u"0100000101", u"A@", u"0100000101"},
        Case{"lone_lf_is_a_zero", u"0100\n001", u"A", u"0100\n001"},
        Case{"lone_cr_is_a_zero", u"0100\r001", u"A", u"0100\r001"},
        Case{"cr_cr_lf_keeps_one_cr", u"0100000\r\r\n1", u"@€", u"0100000\r1"},
        Case{"letters_count_as_zero", u"x1xxxxx1", u"A", u"x1xxxxx1"},
        Case{"other_digits_count_as_zero", u"21222221", u"A", u"21222221"},
        Case{"all_ones", u"11111111", u"ÿ", u"11111111"},
        Case{"unassigned_code_129", u"10000001", u"\u0081", u"10000001"},
        Case{"code_10_gives_lf", u"00001010", u"\n", u"00001010"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(BinaryToText, TheAnswerOfTextToBinaryReadsBackToTheText) {
    std::u16string digits;
    std::u16string text;
    for (int code = 1; code <= 255; ++code) {
        for (int bit = 7; bit >= 0; --bit)
            digits += (code >> bit) & 1 ? u'1' : u'0';
        digits += u"\r\n";
    }
    const BinaryToTextResult result = binaryToText(digits);
    ASSERT_EQ(result.answer.size(), 255u);
    EXPECT_EQ(result.work.size(), 255u * 8);
}

TEST(BinaryToText, AMillionDigitsDecode) {
    std::u16string digits;
    for (int i = 0; i < 125000; ++i)
        digits += u"01000001";
    const BinaryToTextResult result = binaryToText(digits);
    EXPECT_EQ(result.answer, std::u16string(125000, u'A'));
}

} // namespace
} // namespace glyphmill
