// The strict decoder of glyphmill-convert on files (a byte 0xFE ends one)
// given in pieces of sizes that the first bytes pick, against the same files
// given whole.
#include "fuzz_harness.h"
#include "strict_digit_decoder.h"

#include <cstring>
#include <random>
#include <vector>

using namespace glyphmill;

namespace {

std::string decode(std::string_view input, std::uint32_t seed) {
    std::minstd_rand random(seed);
    StrictDigitDecoder decoder;
    std::string out;
    for (std::size_t at = 0, end = 0; at <= input.size() && !decoder.fault(); at = end + 1) {
        end = std::min(input.find('\xFE', at), input.size());
        decoder.startFile();
        for (std::size_t count = 0; at < end && !decoder.fault(); at += count) {
            count = std::min<std::size_t>(end - at, seed ? 1 + random() % 70 : end);
            std::vector<std::uint8_t> piece(input.begin() + at, input.begin() + at + count);
            std::vector<std::uint8_t> codes(StrictDigitDecoder::outputCapacity(count));
            out.append(codes.begin(),
                       codes.begin() + decoder.decode(piece.data(), count, codes.data()));
        }
    }
    decoder.finish();
    const auto &fault = decoder.fault();
    return fault ? out + "|" + std::to_string(fault->line) + ":" + std::to_string(fault->column) +
                       ":" + std::to_string(fault->found)
                 : out;
}

} // namespace

std::string differencesOn(std::string_view input) {
    std::uint32_t seed = 1;
    std::memcpy(&seed, input.data(), std::min(input.size(), sizeof seed));
    return decode(input, 0) == decode(input, seed | 1) ? "" : "strict decoder: pieces and whole";
}
