#include "fuzz/fuzz_harness.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

// A difference stops the run; libFuzzer keeps the input as a crash file.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string found = differencesOn({reinterpret_cast<const char *>(data), size});
    if (found.empty())
        return 0;
    std::fprintf(stderr, "MISMATCH: %s\n", found.c_str());
    std::abort();
}
