// The bytes of a tips file: read as UTF-8 when they are, else in the code
// page, character for byte.
#include "fuzz/fuzz_harness.h"
#include "runtime/base/text_file_encoding.h"
#include "tests/support/stepwise_model.h"

using namespace glyphmill;

std::string differencesOn(std::string_view input) {
    std::u16string codePage;
    for (const char byte : input)
        codePage += model::codePage(static_cast<std::uint8_t>(byte));
    return isValidUtf8(input) || decodeTextFile(input) == codePage ? "" : "tips text; ";
}
