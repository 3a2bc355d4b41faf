// Every conversion against the step-by-step model: each input goes through
// all three of them.
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

TEST(AgainstTheModel, EdgeInputs) {
    std::vector<std::u16string> inputs{std::u16string(5000, u'0') + u"ő", u"", u""};
    for (int code = 0; code < 256; ++code) {
        inputs[1] += model::codePage(static_cast<std::uint8_t>(code));
        inputs[2] += widened(std::bitset<8>(code).to_string() + "\r\n");
    }
    for (int k = 0; k <= 30; ++k) {
        for (const long n : {(1L << k) - 1, 1L << k, (1L << k) + 1})
            inputs.push_back(widened(std::to_string(n)));
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
    for (const std::u16string &input : inputs)
        EXPECT_EQ(model::differencesFrom(input), "") << ::testing::PrintToString(input);
}

TEST(AgainstTheModel, GeneratedNumbers) {
    std::mt19937 random(1206);
    for (int n = 0; n < 40000; ++n) {
        char typed[64];
        const double number = std::ldexp(random() / 4294967296.0, random() % 34) * (n % 8 ? 1 : -1);
        std::snprintf(typed, sizeof typed, n % 3 ? "%.17g" : "%.0f", number);
        for (const std::string &text : {std::string(typed), std::to_string(n)})
            ASSERT_EQ(model::differencesFrom(widened(text)), "") << text;
    }
}

TEST(AgainstTheModel, GeneratedTextsAndDigits) {
    const std::u16string pieces[] = {u"0",  u"1", u"1", u"0", u"\r\n",    u"\r",
                                     u"\n", u" ", u"x", u"€", {u"\0", 1}, u"\r\r\n\n"};
    std::mt19937 random(42);
    for (int n = 0; n < 4000; ++n) {
        std::u16string input;
        for (std::size_t length = random() % 80; input.size() < length;) {
            const unsigned unit = random() % 0x12000;
            input += n % 2 ? pieces[unit % std::size(pieces)]
                           : std::u16string(1, unit < 0x10000 ? unit : model::codePage(unit));
        }
        ASSERT_EQ(model::differencesFrom(input), "") << ::testing::PrintToString(input);
    }
}

} // namespace
} // namespace glyphmill
