#include "test_text.h"
#include "text_to_binary.h"

#include <gtest/gtest.h>

namespace glyphmill {
namespace {

using test::u16;

struct Case {
    const char *name;
    std::u16string input;
    std::string answer;
};

class TextToBinaryTest : public ::testing::TestWithParam<Case> {};

TEST_P(TextToBinaryTest, WritesEightDigitsAndALineBreakPerCharacter) {
    const TextToBinaryResult result = textToBinary(GetParam().input);
    EXPECT_FALSE(result.error.has_value());
    EXPECT_EQ(result.answer, GetParam().answer);
}

INSTANTIATE_TEST_SUITE_P(Inputs, TextToBinaryTest,
                         ::testing::Values(Case{"empty", u"", ""},
                                           Case{"hi", u"Hi", "01001000\r\n01101001\r\n"},
                                           Case{"letter_a", u"A", "01000001\r\n"},
                                           Case{"space", u" ", "00100000\r\n"},
                                           Case{"line_break", u"\r\n", "00001101\r\n00001010\r\n"},
                                           Case{"nul", std::u16string(1, u'\0'), "00000000\r\n"},
                                           Case{"code_255", u"ÿ", "11111111\r\n"},
                                           Case{"euro_is_128", u"€", "10000000\r\n"},
                                           Case{"unassigned_code_129", u"\u0081", "10000001\r\n"},
                                           Case{"nbsp_stays_160", u"\u00A0", "10100000\r\n"}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(TextToBinary, ConvertsEveryCharacterOfLongInputs) {
    for (const std::size_t length : {7u, 8u, 9u, 16u, 17u, 4095u, 4096u, 4097u, 100000u}) {
        std::u16string input;
        std::string expected;
        for (std::size_t i = 0; i < length; ++i) {
            input += static_cast<char16_t>(u'a' + i % 26);
            expected += "011";
            const unsigned code = 'a' + i % 26;
            for (int bit = 4; bit >= 0; --bit)
                expected += (code >> bit) & 1U ? '1' : '0';
            expected += "\r\n";
        }
        const TextToBinaryResult result = textToBinary(input);
        ASSERT_EQ(result.answer, expected) << length << " characters";
    }
}

struct Unencodable {
    const char *name;
    std::u16string input;
    std::string answer;
    std::string message;
};

class UnencodableTest : public ::testing::TestWithParam<Unencodable> {};

TEST_P(UnencodableTest, ReportsTheCharacterAndKeepsTheLinesBeforeIt) {
    const TextToBinaryResult result = textToBinary(GetParam().input);
    ASSERT_TRUE(result.error.has_value());
    EXPECT_EQ(result.error->number(), 5);
    EXPECT_EQ(result.error->description(), GetParam().message);
    EXPECT_EQ(result.answer, GetParam().answer);
}

INSTANTIATE_TEST_SUITE_P(
    Characters, UnencodableTest,
    ::testing::Values(Unencodable{"first", u"Ωmega", "",
                                  "Character 'Ω' (U+03A9) at position 1 has no 8-bit code"},
                      Unencodable{"third", u"Hi→", "01001000\r\n01101001\r\n",
                                  "Character '→' (U+2192) at position 3 has no 8-bit code"},
                      Unencodable{"c1_control", u"A\u0080", "01000001\r\n",
                                  "Character '\u0080' (U+0080) at position 2 has no 8-bit code"},
                      Unencodable{"emoji", u16("A😀"), "01000001\r\n",
                                  "Character '😀' (U+1F600) at position 2 has no 8-bit code"},
                      Unencodable{"lone_surrogate", std::u16string(1, char16_t(0xDC00)), "",
                                  "Character '\uFFFD' (U+DC00) at position 1 has no 8-bit code"},
                      Unencodable{"after_a_block", std::u16string(5000, u'0') + u"ő",
                                  [] {
                                      std::string lines;
                                      for (int i = 0; i < 5000; ++i)
                                          lines += "00110000\r\n";
                                      return lines;
                                  }(),
                                  "Character 'ő' (U+0151) at position 5001 has no 8-bit code"}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace glyphmill
