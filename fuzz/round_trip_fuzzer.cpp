// The command-line tool's round trip: the bytes after the first, and the
// UTF-8 text of the same codes by the model's code page, written in a layout
// and read back with the defaults. The first byte picks the layout and the
// read sizes.
#include "fuzz/fuzz_harness.h"
#include "tests/convert/run_in_process.h"
#include "tests/support/stepwise_model.h"

using namespace glyphmill;

std::string differencesOn(std::string_view input) {
    if (input.empty())
        return {};
    const auto choice = static_cast<std::uint8_t>(input[0]);
    const std::string layouts[] = {"crlf", "lf", "space", "none"};
    std::string payload(input.substr(1));
    std::string text;
    // With bit 4 of the choice, codes of letters only: the UTF-8 text is
    // then made of long runs of one- and two-byte characters.
    for (char &code : payload) {
        code = static_cast<char>(code | (choice & 16 ? (code & 0x80) >> 2 : 0));
        text += model::utf8(model::codePage(static_cast<std::uint8_t>(code)));
    }
    // Written in pieces of 1 to 13 bytes, or of 37 to 481 with bit 3 of the
    // choice; read in pieces of 1 to 20.
    const auto run = [&](const char *command, const std::string &from, bool utf8 = false) {
        std::vector<std::string> arguments{command, "--encoding", utf8 ? "utf-8" : "bytes"};
        if (arguments[0] == "text-to-binary")
            arguments.insert(arguments.end(), {"-s", layouts[choice & 3]});
        const std::size_t size =
            arguments.size() > 3 ? (1 + choice % 13) * (choice & 8 ? 37 : 1) : 1 + choice / 13;
        return test::runInProcess(arguments, from, size).out;
    };
    const std::string written = run("text-to-binary", payload), found[] = {"", "differs; "};
    return found[run("binary-to-text", written) != payload] +
           found[run("text-to-binary", text, true) != written] +
           found[run("binary-to-text", written, true) != text];
}
