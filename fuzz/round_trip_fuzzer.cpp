// The command-line tool's round trip: the bytes after the first, and the
// UTF-8 text of the same codes by the model's code page, written in a layout
// and read back with the defaults. The first byte picks the layout and the
// read sizes.
#include "fuzz/fuzz_harness.h"
#include "tests/convert/run_in_process.h"
#include "tests/support/stepwise_model.h"

#include <array>

using namespace glyphmill;

std::string differencesOn(std::string_view input) {
    const auto choice = static_cast<std::uint8_t>(input.empty() ? 0 : input[0]);
    const std::string layout = std::array{"crlf", "lf", "space", "none"}[choice & 3];
    std::string payload(input.substr(input.empty() ? 0 : 1)), text;
    // With bit 4 of the choice, codes of letters only: the UTF-8 text is
    // then made of long runs of one- and two-byte characters.
    for (char &code : payload) {
        code = static_cast<char>(code | (choice & 16 ? (code & 0x80) >> 2 : 0));
        text += model::utf8(model::codePage(static_cast<std::uint8_t>(code)));
    }
    // Written in pieces of 1 to 13 bytes, or of 37 to 481 with bit 3 of the
    // choice; read in pieces of 1 to 20.
    const std::size_t write = (1 + choice % 13) * (choice & 8 ? 37 : 1), read = 1 + choice / 13;
    const std::string utf8 = "--encoding=utf-8", found[] = {"", "differs; "},
                      written = test::runInProcess({"text-to-binary", "-s", layout}, payload, write)
                                    .first;
    return found[test::runInProcess({"binary-to-text"}, written, read).first != payload] +
           found[test::runInProcess({"text-to-binary", "-s", layout, utf8}, text, write).first !=
                 written] +
           found[test::runInProcess({"binary-to-text", utf8}, written, read).first != text];
}
