#include "strict_digit_decoder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace glyphmill {
namespace {

struct Outcome {
    std::string bytes;
    std::optional<StrictDigitDecoder::Fault> fault;
};

// Decodes one file given in pieces of `piece` bytes.
Outcome decodeInPieces(const std::string &input, std::size_t piece) {
    StrictDigitDecoder decoder;
    decoder.startFile();
    Outcome outcome;
    for (std::size_t at = 0; at < input.size(); at += piece) {
        const std::size_t count = std::min(piece, input.size() - at);
        std::vector<std::uint8_t> out(StrictDigitDecoder::outputCapacity(count));
        const std::size_t written = decoder.decode(
            reinterpret_cast<const std::uint8_t *>(input.data()) + at, count, out.data());
        outcome.bytes.append(out.begin(), out.begin() + static_cast<long>(written));
    }
    decoder.finish();
    outcome.fault = decoder.fault();
    return outcome;
}

TEST(StrictDecoder, FindsTheSameFaultInPiecesOfEverySize) {
    const std::string input = "01001000\r\n\r\n  01101001 00100001\n\t0100000 1\n";
    for (std::size_t piece = 1; piece <= input.size(); ++piece) {
        const Outcome outcome = decodeInPieces(input, piece);
        EXPECT_EQ(outcome.bytes, "Hi!") << piece;
        ASSERT_TRUE(outcome.fault) << piece;
        EXPECT_EQ(outcome.fault->line, 4U) << piece;
        EXPECT_EQ(outcome.fault->column, 9U) << piece;
        EXPECT_EQ(outcome.fault->found, ' ') << piece;
    }
}

TEST(StrictDecoder, PlacesAShortLastGroupAtTheEndOfInput) {
    for (std::size_t piece = 1; piece <= 12; ++piece) {
        const Outcome outcome = decodeInPieces("01000001\n\n0100", piece);
        EXPECT_EQ(outcome.bytes, "A") << piece;
        ASSERT_TRUE(outcome.fault) << piece;
        EXPECT_EQ(outcome.fault->line, 3U);
        EXPECT_EQ(outcome.fault->column, 5U);
        EXPECT_EQ(outcome.fault->found, StrictDigitDecoder::kEndOfInput);
    }
}

TEST(StrictDecoder, KeepsEveryByteValueIncludingZero) {
    std::string input;
    std::string expected;
    for (int code = 0; code < 256; ++code) {
        for (int bit = 7; bit >= 0; --bit)
            input.push_back((code >> bit) & 1 ? '1' : '0');
        input += code % 3 ? "\r\n" : "";
        expected.push_back(static_cast<char>(code));
    }
    for (const std::size_t piece : {1U, 7U, 8U, 9U, 10U, 4096U}) {
        const Outcome outcome = decodeInPieces(input, piece);
        EXPECT_EQ(outcome.bytes, expected) << piece;
        EXPECT_FALSE(outcome.fault) << piece;
    }
}

TEST(StrictDecoder, StopsAtTheFirstFault) {
    StrictDigitDecoder decoder;
    const std::string first = "0100000101x";
    std::vector<std::uint8_t> out(16);
    EXPECT_EQ(decoder.decode(reinterpret_cast<const std::uint8_t *>(first.data()), first.size(),
                             out.data()),
              1U);
    const std::string second = "01000010";
    EXPECT_EQ(decoder.decode(reinterpret_cast<const std::uint8_t *>(second.data()), second.size(),
                             out.data()),
              0U);
    decoder.finish();
    ASSERT_TRUE(decoder.fault());
    EXPECT_EQ(decoder.fault()->column, 11U);
    EXPECT_EQ(decoder.fault()->found, 'x');
}

TEST(StrictDecoder, CountsPositionsAgainInEveryFile) {
    StrictDigitDecoder decoder;
    std::vector<std::uint8_t> out(16);
    const std::string first = "01000001\n01000010\n0100";
    decoder.startFile();
    decoder.decode(reinterpret_cast<const std::uint8_t *>(first.data()), first.size(), out.data());
    const std::string second = "0011 ";
    decoder.startFile();
    EXPECT_EQ(decoder.decode(reinterpret_cast<const std::uint8_t *>(second.data()), second.size(),
                             out.data()),
              1U);
    EXPECT_EQ(out[0], 0x43);
    EXPECT_FALSE(decoder.fault());
    const std::string third = "\n\n  x";
    decoder.startFile();
    decoder.decode(reinterpret_cast<const std::uint8_t *>(third.data()), third.size(), out.data());
    ASSERT_TRUE(decoder.fault());
    EXPECT_EQ(decoder.fault()->line, 3U);
    EXPECT_EQ(decoder.fault()->column, 3U);
}

} // namespace
} // namespace glyphmill
