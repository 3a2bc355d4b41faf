// The codec against the step-by-step model, on edge and generated inputs.
#include "against_model.h"
#include "stepwise_model.h"

#include <gtest/gtest.h>

#include <bitset>
#include <random>

namespace glyphmill {
namespace {

std::u16string widened(const std::string &ascii) {
    return std::u16string(ascii.begin(), ascii.end());
}

// Each input goes through all three conversions of the window.
TEST(AgainstTheModel, WindowConversions) {
    std::vector<std::u16string> inputs{std::u16string(5000, u'0') + u"ő", u"", u""};
    for (int code = 0; code < 256; ++code) {
        inputs[1] += model::codePage(static_cast<std::uint8_t>(code));
        inputs[2] += widened(std::bitset<8>(code).to_string() + "\r\n");
    }
    // The examples of the window's conversions and more, between bars.
    const std::u16string examples =
        u"Hi| \r\n|Hi→|A\u0080|A😀|\xDC00|0100100001101001|01001000\r\n01101001\r\n|01000001 "
        u"01000010|1|0100000\r\r\n1|0100\n001x1xxxxx1|5|5.9| +.5 "
        u"|-0|1e3|-0.0001|1e999|-1e999|1e-400|1,5|\t5|nan|inf|0x10|1e|5 "
        u"5|+-5|1073741824.0000001|1073741824.0000003|0.9999999999999999|١";
    for (std::size_t at = 0, bar = 0; at <= examples.size(); at = bar + 1) {
        bar = std::min(examples.find(u'|', at), examples.size());
        inputs.push_back(examples.substr(at, bar - at));
    }
    for (int k = 0; k <= 30; ++k) {
        for (const long n : {(1L << k) - 1, 1L << k, (1L << k) + 1})
            inputs.push_back(widened(std::to_string(n)));
    }
    std::mt19937 random(1206);
    for (int n = 0; n < 40000; ++n) {
        char number[64];
        std::snprintf(number, sizeof number, n % 3 ? "%.17g" : "%.0f",
                      std::ldexp(random() / 4294967296.0, random() % 34) * (n % 8 ? 1 : -1));
        inputs.push_back(widened(number));
        inputs.push_back(widened(std::to_string(n)));
    }
    const std::u16string pieces[] = {u"0",  u"1", u"1", u"\r\n",   u"\r",
                                     u"\n", u" ", u"€", {u"\0", 1}};
    for (int n = 0; n < 4000; ++n) {
        std::u16string &input = inputs.emplace_back();
        for (std::size_t length = random() % 80; input.size() < length;) {
            const unsigned unit = random() % 0x12000;
            input += n % 2 ? pieces[unit % std::size(pieces)]
                           : std::u16string(1, unit < 0x10000 ? unit : model::codePage(unit));
        }
    }
    for (const std::u16string &input : inputs)
        ASSERT_EQ(model::differencesFrom(input), "") << ::testing::PrintToString(input);
}

TEST(AgainstTheModel, CodecPathsInPiecesOfAnySize) {
    std::vector<std::string> inputs;
    // A line break at every place of a vector step, among zeros.
    for (const std::string breaks : {"1\r\n1", "1\r\r\n1", "1\n\r1", "\r\n\r\n\r\n1", "1\r1"}) {
        for (std::size_t before = 0; before < 140; ++before)
            inputs.push_back(std::string(before, '0') + breaks + std::string(70, '0'));
    }
    // Digit lines with CR LF or LF, dense CR and LF, and noise.
    std::mt19937 random(1000);
    const std::string alphabets[] = {"\r\n", "\n", "01", "01\r\n", "\r\n\r\n01 \xE9x\x80"};
    for (int n = 0; n < 500; ++n) {
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
