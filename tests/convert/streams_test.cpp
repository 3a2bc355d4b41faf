// glyphmill-convert on streams: reads of any size, output that fails, and
// inputs larger than its memory.
#include "run_tool.h"
#include "stepwise_model.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <bitset>
#include <random>

namespace glyphmill::test {
namespace {

const std::vector<std::string> kCommands[] = {{"text-to-binary"},
                                              {"binary-to-text"},
                                              {"binary-to-text", "--strict"},
                                              {"number-to-binary", "5"}};

// Each read size puts a read boundary inside some CR LF pair, after a lone
// CR or LF, inside a group and inside a strict line.
TEST(Streams, AnswersDoNotDependOnTheSizeOfReads) {
    std::string digits, strict, bytes;
    std::mt19937 random(9);
    for (int i = 1; i < 300; ++i) {
        digits += std::bitset<8>(i * 73).to_string() + (i % 7 ? i % 5 ? "\r\n" : "\n" : "\r");
        strict += i >= 40 ? "" : i % 3 ? "01000011\n" : "01000001 01000010\r\n";
        bytes += static_cast<char>(i % 4 ? random() : i % 8 ? 0 : '\r');
    }
    std::u16string decoded;
    for (const char16_t c :
         model::binaryToText(std::u16string(digits.begin(), digits.end())).answer)
        decoded += c;
    for (int size = 1; size <= 24; ++size) {
        const std::vector<std::string> reads{"GLYPHMILL_CONVERT_BUFFER=" + std::to_string(size)};
        std::u16string text;
        for (const unsigned char code : runTool({"binary-to-text"}, digits, reads).out)
            text += model::codePage(code);
        EXPECT_EQ(text, decoded) << size;
        EXPECT_EQ(runTool({"binary-to-text", "--strict"}, strict + "  0100001y", reads).err,
                  "<stdin>:40:10: expected 8 binary digits, found 'y'\n")
            << size;
        const std::string lines = runTool({"text-to-binary"}, bytes, reads).out;
        EXPECT_EQ(runTool({"binary-to-text", "--strict"}, lines, reads).out, bytes) << size;
    }
}

TEST(Streams, FailedOutputEndsTheTool) {
    std::string digits = "01000001\r\n";
    while (digits.size() < (1U << 20))
        digits += digits;
    for (const auto &command : kCommands) {
        const RunResult full = runTool(command, digits, {}, "/dev/full");
        EXPECT_EQ(full.err, "glyphmill-convert: <stdout>: No space left on device\n");
        EXPECT_EQ(full.status, 1);
        // A reader that went away is no error to report.
        const RunResult closed = runTool(command, digits, {}, kClosedPipe);
        EXPECT_EQ(closed.err + std::to_string(closed.status), "1") << command.back();
    }
}

TEST(Streams, MemoryDoesNotGrowWithTheInput) {
    const TempFolder folder;
    std::string digits = "01000001\r\n";
    const std::string small = folder.write("small", digits);
    while (digits.size() < (32U << 20))
        digits += digits;
    const std::string large = folder.write("large", digits);
    for (std::vector<std::string> command : {kCommands[0], kCommands[1], kCommands[2]}) {
        command.push_back(small);
        const RunResult one = runTool(command, {}, {}, "/dev/null");
        command.back() = large;
        const RunResult all = runTool(command, {}, {}, "/dev/null");
        EXPECT_EQ(all.status, 0) << all.err;
        EXPECT_LT(all.peakMemoryKiB, one.peakMemoryKiB + 8 * 1024) << command[0];
    }
}

} // namespace
} // namespace glyphmill::test
