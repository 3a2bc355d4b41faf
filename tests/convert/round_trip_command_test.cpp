#include "tool_runner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace glyphmill::test {
namespace {

// Byte strings of many lengths and mixes: all bytes alike, mostly NUL, mostly
// CR and LF (whose digits hold no CR LF pair, but whose lines do).
std::vector<std::string> generatedInputs() {
    std::mt19937 random(42);
    std::vector<std::string> inputs;
    for (int length : {0, 1, 2, 7, 8, 9, 15, 16, 17, 31, 32, 33, 64, 65, 100, 1000, 5000}) {
        for (int mix = 0; mix < 3; ++mix) {
            std::string bytes;
            for (int i = 0; i < length; ++i) {
                const unsigned roll = random() % 256;
                if (mix == 1 && roll < 200)
                    bytes.push_back('\0');
                else if (mix == 2 && roll < 200)
                    bytes.push_back(roll % 2 ? '\r' : '\n');
                else
                    bytes.push_back(static_cast<char>(random() % 256));
            }
            inputs.push_back(bytes);
        }
    }
    return inputs;
}

std::string withoutNul(std::string bytes) {
    bytes.erase(std::remove(bytes.begin(), bytes.end(), '\0'), bytes.end());
    return bytes;
}

TEST(RoundTrip, BinaryToTextGivesTheInputBackLessItsNulBytes) {
    std::mt19937 random(9);
    for (const std::string &input : generatedInputs()) {
        SCOPED_TRACE(input.size());
        const ToolResult digits = ToolRun({"text-to-binary"}).input(input).run();
        ASSERT_EQ(digits.status, 0);
        const std::size_t size = 1 + random() % 40;
        SCOPED_TRACE(size);
        const ToolResult text =
            ToolRun({"binary-to-text"}).input(digits.out).bufferSize(size).run();
        ASSERT_EQ(text.status, 0);
        EXPECT_EQ(text.out, withoutNul(input));
    }
}

TEST(RoundTrip, StrictBinaryToTextGivesTheInputBackExactly) {
    std::mt19937 random(10);
    for (const std::string &input : generatedInputs()) {
        SCOPED_TRACE(input.size());
        const ToolResult digits = ToolRun({"text-to-binary"}).input(input).run();
        ASSERT_EQ(digits.status, 0);
        const std::size_t size = 1 + random() % 40;
        const ToolResult text =
            ToolRun({"binary-to-text", "--strict"}).input(digits.out).bufferSize(size).run();
        ASSERT_EQ(text.status, 0) << text.err;
        EXPECT_EQ(text.out, input);
    }
}

} // namespace
} // namespace glyphmill::test
