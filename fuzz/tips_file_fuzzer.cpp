// The bytes of a tips file: read as UTF-8 when they are, else in the code
// page, character for byte.
#include "fuzz/fuzz_harness.h"
#include "runtime/base/text_file_encoding.h"
#include "tests/support/stepwise_model.h"

using namespace glyphmill;

std::string differencesOn(std::string_view input) {
    const bool same = isValidUtf8(input) || decodeTextFile(input) == model::codePageText(input);
    return same ? "" : "tips text; ";
}
