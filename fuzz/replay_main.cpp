// Runs every file of the given corpus folders once through a fuzz target's
// comparison, with any compiler and no fuzzing engine, so that the ordinary
// test run checks each kept input.
#include "fuzz/fuzz_harness.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

int main(int argc, char *argv[]) {
    std::vector<std::filesystem::path> files;
    for (int i = 1; i < argc; ++i)
        for (const auto &entry : std::filesystem::directory_iterator(argv[i]))
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    int mismatches = 0;
    for (const auto &file : files) {
        std::ifstream stream(file, std::ios::binary);
        const std::string input{std::istreambuf_iterator<char>(stream), {}};
        const std::string found = differencesOn(input);
        if (!found.empty()) {
            std::fprintf(stderr, "MISMATCH in %s: %s\n", file.c_str(), found.c_str());
            ++mismatches;
        }
    }
    std::printf("%zu inputs replayed, %d mismatched\n", files.size(), mismatches);
    // An empty corpus checks nothing: a wrong folder must not pass.
    return files.empty() || mismatches ? 1 : 0;
}
