#include "text_file_encoding.h"

#include <gtest/gtest.h>

namespace glyphmill {
namespace {

struct Decoding {
    const char *name;
    std::string bytes;
    std::u16string text;
};

class TipsFileDecoding : public ::testing::TestWithParam<Decoding> {};

TEST_P(TipsFileDecoding, ShowsTheTextAsWritten) {
    EXPECT_EQ(decodeTextFile(GetParam().bytes), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, TipsFileDecoding,
    ::testing::Values(
        Decoding{"Ascii", "Press F4", u"Press F4"}, Decoding{"Empty", "", u""},
        Decoding{"Utf8", "Gr\xC3\xB6\xC3\x9F\x65 \xE2\x82\xAC", u"Gr\u00F6\u00DFe \u20AC"},
        Decoding{"Windows1252", "Gr\xF6\xDF\x65 \x80", u"Gr\u00F6\u00DFe \u20AC"},
        Decoding{"Utf8OutsideTheBasicPlane", "\xF0\x9F\x98\x80", u"\U0001F600"},
        Decoding{"Utf8ByteOrderMarkDropped", "\xEF\xBB\xBFtip", u"tip"},
        Decoding{"ByteOrderMarkOnlyAtTheStart", "a\xEF\xBB\xBF", u"a\uFEFF"},
        // One byte that is no UTF-8 makes the whole file Windows-1252, so a
        // file never mixes the two.
        Decoding{"OneInvalidByteMakesAllWindows1252", "\xC3\xA9 and \xE9",
                 u"\u00C3\u00A9 and \u00E9"},
        Decoding{"ByteOrderMarkInWindows1252File", "\xEF\xBB\xBF\xE9", u"\u00EF\u00BB\u00BF\u00E9"},
        Decoding{"UnassignedCodesAreControls", "\x81\x8D\x8F\x90\x9D",
                 u"\u0081\u008D\u008F\u0090\u009D"},
        Decoding{"NulKept", std::string("a\0b", 3), std::u16string(u"a\0b", 3)},
        Decoding{"LineEndsUntouched", "a\r\nb\rc\n", u"a\r\nb\rc\n"}),
    [](const ::testing::TestParamInfo<Decoding> &info) { return info.param.name; });

struct Utf8Case {
    const char *name;
    std::string bytes;
    bool valid;
};

class TipsUtf8Validity : public ::testing::TestWithParam<Utf8Case> {};

TEST_P(TipsUtf8Validity, AcceptsOnlyWellFormedUtf8) {
    EXPECT_EQ(isValidUtf8(GetParam().bytes), GetParam().valid);
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, TipsUtf8Validity,
    ::testing::Values(Utf8Case{"Empty", "", true}, Utf8Case{"Ascii", "\x7F", true},
                      Utf8Case{"LoneContinuation", "\x80", false},
                      Utf8Case{"OverlongTwoBytes", "\xC0\x80", false},
                      Utf8Case{"OverlongC1", "\xC1\xBF", false},
                      Utf8Case{"SmallestTwoBytes", "\xC2\x80", true},
                      Utf8Case{"OverlongThreeBytes", "\xE0\x9F\xBF", false},
                      Utf8Case{"SmallestThreeBytes", "\xE0\xA0\x80", true},
                      Utf8Case{"LastBeforeSurrogates", "\xED\x9F\xBF", true},
                      Utf8Case{"Surrogate", "\xED\xA0\x80", false},
                      Utf8Case{"LargestThreeBytes", "\xEF\xBF\xBF", true},
                      Utf8Case{"OverlongFourBytes", "\xF0\x8F\xBF\xBF", false},
                      Utf8Case{"LargestCodePoint", "\xF4\x8F\xBF\xBF", true},
                      Utf8Case{"PastLargestCodePoint", "\xF4\x90\x80\x80", false},
                      Utf8Case{"F5NeverLeads", "\xF5\x80\x80\x80", false},
                      Utf8Case{"CutShortAtTheEnd", "ok\xE2\x82", false},
                      Utf8Case{"CutShortBeforeAscii", "\xE2\x82x", false},
                      Utf8Case{"Windows1252Word", "caf\xE9", false}),
    [](const ::testing::TestParamInfo<Utf8Case> &info) { return info.param.name; });

} // namespace
} // namespace glyphmill
