// The codec's vector paths and its portable ones against the model, on input
// given whole and in pieces of many sizes.
#include "against_model.h"

#include <gtest/gtest.h>

#include <bitset>
#include <random>

namespace glyphmill {
namespace {

TEST(CodecPaths, EncodeAndDecodeAsTheModelDoes) {
    std::vector<std::string> inputs;
    // A line break at every place of a vector step, among zeros.
    for (const std::string breaks : {"1\r\n1", "1\r\r\n1", "1\n\r1", "\r\n\r\n\r\n1", "1\r1"}) {
        for (std::size_t before = 0; before < 140; ++before)
            inputs.push_back(std::string(before, '0') + breaks + std::string(70, '0'));
    }
    // Digit lines with CR LF or LF, dense CR and LF, and noise.
    std::mt19937 random(1000);
    const std::string alphabets[] = {"\r\n", "\n", "01", "01\r\n", "\r\n\r\n01 \xE9x\x80"};
    for (int n = 0; n < 600; ++n) {
        std::string &bytes = inputs.emplace_back();
        const std::string &alphabet = alphabets[n % std::size(alphabets)];
        for (std::size_t length = random() % (n % 10 ? 300 : 20000); bytes.size() < length;) {
            bytes += n % 5 < 2 ? std::bitset<8>(random()).to_string() + alphabet
                               : std::string(1, alphabet[random() % alphabet.size()]);
        }
    }
    for (const std::string &bytes : inputs) {
        ASSERT_EQ(model::pathDifferencesFrom(bytes, 0), "") << bytes;
        ASSERT_EQ(model::pathDifferencesFrom(bytes, random()), "") << bytes;
    }
}

} // namespace
} // namespace glyphmill
