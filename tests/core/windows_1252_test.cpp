#include "windows_1252.h"

#include <gtest/gtest.h>

#include <set>

namespace glyphmill {
namespace {

TEST(Windows1252, EveryCodeMapsToACharacterAndBack) {
    std::set<char16_t> seen;
    for (int code = 0; code <= 255; ++code) {
        const char16_t c = Windows1252::decode(static_cast<std::uint8_t>(code));
        const auto back = Windows1252::encode(c);
        ASSERT_TRUE(back.has_value()) << "code " << code;
        EXPECT_EQ(*back, code);
        seen.insert(c);
    }
    EXPECT_EQ(seen.size(), 256u) << "two codes share a character";
}

struct Mapping {
    int code;
    char16_t character;
};

class Windows1252Mapping : public ::testing::TestWithParam<Mapping> {};

TEST_P(Windows1252Mapping, DecodesToTheCodePageCharacter) {
    EXPECT_EQ(Windows1252::decode(static_cast<std::uint8_t>(GetParam().code)),
              GetParam().character);
}

INSTANTIATE_TEST_SUITE_P(Boundaries, Windows1252Mapping,
                         ::testing::Values(Mapping{0, u'\0'}, Mapping{65, u'A'}, Mapping{127, 0x7F},
                                           Mapping{128, 0x20AC}, Mapping{129, 0x0081},
                                           Mapping{130, 0x201A}, Mapping{141, 0x008D},
                                           Mapping{143, 0x008F}, Mapping{144, 0x0090},
                                           Mapping{150, 0x2013}, Mapping{153, 0x2122},
                                           Mapping{157, 0x009D}, Mapping{159, 0x0178},
                                           Mapping{160, 0x00A0}, Mapping{233, u'é'},
                                           Mapping{255, u'ÿ'}));

TEST(Windows1252, CharactersOutsideTheCodePageHaveNoCode) {
    for (const char16_t c :
         {char16_t(0x0080), char16_t(0x0085), char16_t(0x009F), char16_t(0x0100), char16_t(0x03A9),
          char16_t(0x20AD), char16_t(0xD83D), char16_t(0xFFFD)})
        EXPECT_FALSE(Windows1252::encode(c).has_value()) << std::hex << int(c);
}

} // namespace
} // namespace glyphmill
