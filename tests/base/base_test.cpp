// What the tip window takes from the runtime's base: the lines of a text file.
// (Its random numbers are checked by how evenly the window shows the tips.)
#include "runtime/base/line_input.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

namespace glyphmill {
namespace {

TEST(LineInput, ReadsUtf8OrWindows1252LinesEndedByCrLfCrOrLf) {
    const std::pair<std::string, std::vector<std::u16string>> rows[] = {
        {"", {}},
        {"one\r\ntwo\r\n", {u"one", u"two"}},
        {"one\rtwo", {u"one", u"two"}},
        {"one\ntwo\n", {u"one", u"two"}},
        {"a\r\r\nb\n\r\n\n c\t ", {u"a", u"", u"b", u"", u"", u" c\t "}},
        {"Gr\xC3\xB6\xC3\x9F\x65 \xE2\x82\xAC \xF0\x9F\x98\x80", {u"Größe € 😀"}},
        {"\xEF\xBB\xBFtip\xEF\xBB\xBF", {u"tip\uFEFF"}},
        {"Gr\xF6\xDF\x65 \x80\x81\x9F", {u"Größe €\u0081Ÿ"}},
        // No UTF-8, so all Windows-1252: a stray byte, overlong forms, a
        // surrogate, a code past U+10FFFF, a sequence cut short.
        {"\xC3\xA9 is \xE9", {u"Ã© is é"}},
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
        EXPECT_EQ(read, lines) << bytes;
    }
    EXPECT_FALSE(LineInput().open(folder.path()));
}

} // namespace
} // namespace glyphmill
