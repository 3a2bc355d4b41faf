// What the tip window takes from the runtime's base: the lines of a text file.
// (Its random numbers are checked by how evenly the window shows the tips.)
#include "runtime/base/line_input.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

using namespace glyphmill;

TEST(LineInput, ReadsUtf8OrWindows1252LinesEndedByCrLfCrOrLf) {
    const auto repeat = [](auto piece, std::size_t times) {
        const std::vector pieces(times, piece);
        return std::accumulate(pieces.begin(), pieces.end(), decltype(piece)());
    };
    // Of a long file only the first MiB is read, whole characters: 523 lines
    // of 2002 bytes, then 1530 bytes of the next one. Of a long line the first
    // 4096 code units, whole characters.
    const std::string line = "x" + repeat(std::string("\xC3\xA9"), 1000) + "\n";
    std::vector<std::u16string> firstMiB(523, u"x" + std::u16string(1000, u'é'));
    firstMiB.push_back(u"x" + std::u16string(764, u'é'));
    const std::string smiles = repeat(std::string("\xF0\x9F\x98\x80"), 2100);
    const std::u16string smilesKept = u"1" + repeat(std::u16string(u"😀"), 2047);
    const std::pair<std::string, std::vector<std::u16string>> rows[] = {
        {repeat(line, 550), firstMiB},
        {std::string(5000, 'w') + "\r\nok", {std::u16string(4096, u'w'), u"ok"}},
        {"1" + smiles + "\n1" + smiles, {smilesKept, smilesKept}},
        {"", {}},
        {"one\r\ntwo\rthree\nfour\r\n", {u"one", u"two", u"three", u"four"}},
        {"a\r\r\nb\n\r\n\n c\t ", {u"a", u"", u"b", u"", u"", u" c\t "}},
        {"\xEF\xBB\xBFGr\xC3\xB6\xC3\x9F\x65 \xE2\x82\xAC \xF0\x9F\x98\x80\xEF\xBB\xBF",
         {u"Größe € 😀\uFEFF"}},
        // No UTF-8, so all Windows-1252: a stray byte, overlong forms, a
        // surrogate, a code past U+10FFFF, a sequence cut short.
        {"\xC3\xA9 is \xE9 \x80\x81\x9F", {u"Ã© is é €\u0081Ÿ"}},
        {"\xC0\x80", {u"À€"}},
        {"\xED\xA0\x80", {u"í\u00A0€"}},
        {"\xE2\x82", {u"â‚"}}};
    const test::TempFolder folder;
    for (const auto &[bytes, lines] : rows) {
        LineInput input;
        ASSERT_TRUE(input.open(folder.write("help.cfg", bytes)));
        std::vector<std::u16string> read;
        while (!input.atEnd())
            read.push_back(input.readLine());
        EXPECT_EQ(read, lines) << bytes.substr(0, 40);
    }
    EXPECT_FALSE(LineInput().open(folder.path()));
}
