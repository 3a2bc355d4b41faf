// The codec against the step-by-step model, on generated inputs (the edge
// inputs are the fuzz corpus, which the tests replay).
#include "tests/support/against_model.h"
#include "tests/support/stepwise_model.h"

#include <gtest/gtest.h>

#include <bitset>
#include <random>

using namespace glyphmill;

// Each generated input goes through the three conversions of the window and,
// each character taken as a byte, through the codec's byte paths.
TEST(AgainstTheModel, EveryConversionAndCodecPath) {
    std::vector<std::u16string> inputs;
    // Numbers of every size up to 2^34, some negative, and counting numbers.
    std::mt19937 random(1206);
    for (int n = 0; n < 15000; ++n) {
        char number[64];
        std::snprintf(number, sizeof number, n % 3 ? "%.17g" : "%.0f",
                      std::ldexp(random() / 4294967296.0, random() % 34) * (n % 8 ? 1 : -1));
        for (const std::string &text : {std::string(number), std::to_string(n)})
            inputs.emplace_back(text.begin(), text.end());
    }
    // Any characters, or digits among line breaks and others; a few long
    // enough for many steps of the vector paths, with line breaks at every
    // place of a step.
    const std::u16string pieces[] = {u"0",  u"1", u"1",    u"\r\n",    u"\r",
                                     u"\n", u" ", u"\xE9", {u"\0", 1}, u"01000001\r\n"};
    for (int n = 0; n < 4000; ++n) {
        std::u16string &input = inputs.emplace_back();
        for (std::size_t length = random() % (n % 40 ? 80 : 20000); input.size() < length;) {
            const unsigned unit = random() % 0x12000;
            input += n % 2 ? pieces[unit % std::size(pieces)]
                           : std::u16string(1, unit < 0x10000 ? unit : model::codePage(unit));
        }
    }
    // Groups and separators as the strict decoder wants them: shapes mixed,
    // or one shape throughout, as files have them, in a long run for many
    // vector steps, the steps starting anywhere in a group after the first
    // separator (groups side by side most often). A third with a stray byte, a
    // third cut short: the fault in any place, or where a vector step starts.
    const std::u16string breaks[] = {u"\r\n", u"\n", u" ", u"", u"\t", u"\r", u"\r\r\n", u""};
    for (int n = 0; n < 3600; ++n) {
        std::u16string &input = inputs.emplace_back(breaks[random() % 8]);
        for (int group = random() % (n % 4 ? 20 : 300); group > 0; --group) {
            const std::string digits = std::bitset<8>(random()).to_string();
            input.append(digits.begin(), digits.end())
                .append(breaks[(n % 2 ? random() : n / 4) % 8]);
        }
        std::size_t at = random() % (input.size() + 1);
        at -= n % 4 == 1 ? at % 64 : 0;
        if (n % 3 == 1)
            input.insert(at, 1, u"01x \r\n\t\xE9"[random() % 8]);
        else if (n % 3 == 2)
            input.resize(at);
    }
    // Each character also as a byte, in one piece or in pieces.
    for (const std::u16string &input : inputs)
        ASSERT_EQ(model::differencesFrom(input) +
                      model::codecDifferencesFrom(std::string(input.begin(), input.end()),
                                                  random() % 2 ? 0 : random()),
                  "")
            << ::testing::PrintToString(input);
}
