// The command-line tool's round trip: the bytes after the first, and the
// UTF-8 text of the same codes by the model's code page, written in a layout
// and read back with the defaults. The first byte picks the layout, whether
// the text goes too, and the read sizes.
#include "fuzz/fuzz_harness.h"
#include "tests/convert/run_in_process.h"
#include "tests/support/stepwise_model.h"

using namespace glyphmill;

std::string differencesOn(std::string_view input) {
    if (input.empty())
        return {};
    const auto choice = static_cast<std::uint8_t>(input[0]);
    const std::string payload(input.substr(1)), layout[] = {"crlf", "lf", "space", "none"};
    const std::size_t writeSize = 1 + choice % 13, readSize = 1 + choice / 13;
    std::string text, found;
    for (const char code : payload)
        text += model::utf8(model::codePage(static_cast<std::uint8_t>(code)));
    const std::vector<std::string> write = {"text-to-binary", "-s", layout[choice & 3]};
    const std::string written = test::runInProcess(write, payload, writeSize).out;
    found +=
        test::runInProcess({"binary-to-text"}, written, readSize).out == payload ? "" : "bytes; ";
    if ((choice & 4) == 0)
        return found;
    std::vector<std::string> fromText = write;
    fromText.push_back("--encoding=utf-8");
    found += test::runInProcess(fromText, text, writeSize).out == written ? "" : "from UTF-8; ";
    const std::string back =
        test::runInProcess({"binary-to-text", "--encoding=utf-8"}, written, readSize).out;
    return found + (back == text ? "" : "to UTF-8; ");
}
