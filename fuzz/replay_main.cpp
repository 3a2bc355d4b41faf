// Runs every file of the given corpus folder once through a fuzz target's
// comparison, with any compiler and no fuzzing engine, so that the ordinary
// test run checks each kept input.
#include "fuzz/fuzz_harness.h"
#include "tests/support/temp_folder.h"

#include <cstdio>
#include <filesystem>

int main(int argc, char *argv[]) {
    int files = 0, mismatches = 0;
    for (const auto &entry : std::filesystem::directory_iterator(argc > 1 ? argv[1] : "")) {
        const std::string found = differencesOn(glyphmill::test::TempFolder::read(entry.path()));
        ++files;
        if (!found.empty() && ++mismatches)
            std::fprintf(stderr, "MISMATCH in %s: %s\n", entry.path().string().c_str(),
                         found.c_str());
    }
    std::printf("%d inputs replayed, %d mismatched\n", files, mismatches);
    // An empty corpus checks nothing: a wrong folder must not pass.
    return files == 0 || mismatches ? 1 : 0;
}
