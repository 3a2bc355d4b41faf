// The vector paths of the codec against the portable path, and both against
// the rules written out plainly, on generated input cut into pieces of every
// size.
#include "codec_path.h"
#include "digit_lines.h"
#include "digit_stream_decoder.h"

#include <gtest/gtest.h>

#include <ostream>

#include <random>
#include <string>
#include <vector>

namespace glyphmill {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes bytesOf(const std::string &text) {
    return Bytes(text.begin(), text.end());
}

// The rules, one step at a time: CR LF pairs out, then groups of eight.
Bytes plainDecode(const Bytes &input) {
    Bytes digits;
    for (std::size_t i = 0; i < input.size(); ++i) {
        if (input[i] == '\r' && i + 1 < input.size() && input[i + 1] == '\n')
            ++i;
        else
            digits.push_back(input[i]);
    }
    Bytes codes;
    for (std::size_t i = 0; i < digits.size(); i += 8) {
        unsigned code = 0;
        for (std::size_t k = i; k < i + 8; ++k)
            code = (code << 1) | (k < digits.size() && digits[k] == '1' ? 1U : 0U);
        if (code != 0)
            codes.push_back(static_cast<std::uint8_t>(code));
    }
    return codes;
}

// Decodes in pieces of the given sizes (the last one repeated to the end),
// checking that no piece writes past the room it was promised.
Bytes decodeInPieces(CodecPath path, const Bytes &input, const std::vector<std::size_t> &sizes) {
    DigitStreamDecoder decoder(path);
    Bytes result;
    std::size_t at = 0;
    for (std::size_t piece = 0; at < input.size(); ++piece) {
        const std::size_t count =
            std::min(sizes[std::min(piece, sizes.size() - 1)], input.size() - at);
        const std::size_t room = DigitStreamDecoder::outputCapacity(count);
        Bytes out(room + 16, 0xEE);
        const std::size_t written = decoder.decode(input.data() + at, count, out.data());
        EXPECT_LE(written, count / 8 + 1);
        for (std::size_t i = room; i < out.size(); ++i)
            EXPECT_EQ(out[i], 0xEE) << "written past the room at " << i;
        result.insert(result.end(), out.begin(), out.begin() + static_cast<long>(written));
        at += count;
    }
    Bytes last(8, 0xEE);
    const std::size_t written = decoder.finish(last.data());
    EXPECT_LE(written, 1U);
    result.insert(result.end(), last.begin(), last.begin() + static_cast<long>(written));
    return result;
}

Bytes decodeWhole(CodecPath path, const Bytes &input) {
    return decodeInPieces(path, input, {std::max<std::size_t>(input.size(), 1)});
}

// Kinds of generated input: the CR LF lines of text to binary, lines ended
// by LF alone, digits without breaks, dense CR and LF, and noise.
enum class Mix { Lines, LineFeeds, Plain, Breaks, Noise };

Bytes generate(Mix mix, std::size_t length, std::mt19937 &random) {
    Bytes text;
    const auto digit = [&] { return static_cast<std::uint8_t>(random() % 2 ? '1' : '0'); };
    while (text.size() < length) {
        switch (mix) {
        case Mix::Lines:
        case Mix::LineFeeds:
            for (int i = 0; i < 8; ++i)
                text.push_back(digit());
            if (mix == Mix::Lines)
                text.push_back('\r');
            text.push_back('\n');
            break;
        case Mix::Plain:
            text.push_back(digit());
            break;
        case Mix::Breaks: {
            static constexpr char kAlphabet[] = {'0', '1', '\r', '\n'};
            text.push_back(static_cast<std::uint8_t>(kAlphabet[random() % 4]));
            break;
        }
        case Mix::Noise: {
            const unsigned roll = random() % 16;
            if (roll == 0)
                text.push_back(static_cast<std::uint8_t>(random()));
            else if (roll == 1)
                text.push_back(' ');
            else if (roll == 2)
                text.push_back(random() % 2 ? '\r' : '\n');
            else
                text.push_back(digit());
            break;
        }
        }
    }
    text.resize(length);
    return text;
}

class DecoderPaths : public ::testing::TestWithParam<Mix> {};

TEST_P(DecoderPaths, AgreeWithThePlainRulesInOnePiece) {
    std::mt19937 random(1000 + static_cast<unsigned>(GetParam()));
    for (std::size_t length = 0; length < 400; ++length) {
        const Bytes input = generate(GetParam(), length, random);
        const Bytes expected = plainDecode(input);
        ASSERT_EQ(decodeWhole(CodecPath::Portable, input), expected) << "length " << length;
        ASSERT_EQ(decodeWhole(CodecPath::Vector, input), expected) << "length " << length;
    }
}

TEST_P(DecoderPaths, AgreeWithThePlainRulesInRandomPieces) {
    std::mt19937 random(2000 + static_cast<unsigned>(GetParam()));
    for (int round = 0; round < 60; ++round) {
        const Bytes input = generate(GetParam(), 1 + random() % 20000, random);
        std::vector<std::size_t> sizes;
        for (int i = 0; i < 200; ++i)
            sizes.push_back(1 + random() % (i % 3 == 0 ? 8 : 700));
        const Bytes expected = plainDecode(input);
        ASSERT_EQ(decodeInPieces(CodecPath::Portable, input, sizes), expected);
        ASSERT_EQ(decodeInPieces(CodecPath::Vector, input, sizes), expected);
    }
}

// Two pieces, split at every place of a 300-byte input.
TEST_P(DecoderPaths, AgreeWhereverTheInputIsSplit) {
    std::mt19937 random(3000 + static_cast<unsigned>(GetParam()));
    const Bytes input = generate(GetParam(), 300, random);
    const Bytes expected = plainDecode(input);
    for (std::size_t split = 1; split < input.size(); ++split) {
        const std::vector<std::size_t> sizes{split, input.size()};
        ASSERT_EQ(decodeInPieces(CodecPath::Portable, input, sizes), expected) << split;
        ASSERT_EQ(decodeInPieces(CodecPath::Vector, input, sizes), expected) << split;
    }
}

std::string mixName(const ::testing::TestParamInfo<Mix> &info) {
    static const char *const kNames[] = {"Lines", "LineFeeds", "Plain", "Breaks", "Noise"};
    return kNames[static_cast<int>(info.param)];
}

INSTANTIATE_TEST_SUITE_P(Inputs, DecoderPaths,
                         ::testing::Values(Mix::Lines, Mix::LineFeeds, Mix::Plain, Mix::Breaks,
                                           Mix::Noise),
                         mixName);

struct PairRow {
    const char *name;
    std::string input;
};

void PrintTo(const PairRow &row, std::ostream *out) {
    *out << row.name;
}

class DecoderPairs : public ::testing::TestWithParam<PairRow> {};

// A pair, a lone CR or LF at the edges of a 32- or 64-byte step of the
// vector path and of an 8-byte step of the portable one.
TEST_P(DecoderPairs, AreFoundAtEveryStepEdge) {
    for (std::size_t before = 0; before < 140; ++before) {
        const Bytes input =
            bytesOf(std::string(before, '0') + GetParam().input + std::string(70, '0'));
        const Bytes expected = plainDecode(input);
        ASSERT_EQ(decodeWhole(CodecPath::Portable, input), expected) << before;
        ASSERT_EQ(decodeWhole(CodecPath::Vector, input), expected) << before;
    }
}

INSTANTIATE_TEST_SUITE_P(Edges, DecoderPairs,
                         ::testing::Values(PairRow{"Pair", "1\r\n1"}, PairRow{"CrCrLf", "1\r\r\n1"},
                                           PairRow{"LfCr", "1\n\r1"},
                                           PairRow{"Pairs", "\r\n\r\n\r\n1"},
                                           PairRow{"LoneCr", "1\r1"}, PairRow{"LoneLf", "1\n1"}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(DecoderPaths, DropTheCodesOfZeroAndPadTheLastGroup) {
    const Bytes input = bytesOf(std::string(64, '0') + "01000001" + std::string(200, '0') + "1");
    const Bytes expected{0x41, 0x80};
    EXPECT_EQ(decodeWhole(CodecPath::Portable, input), expected);
    EXPECT_EQ(decodeWhole(CodecPath::Vector, input), expected);
}

// The lines expected for some codes, written out bit by bit.
std::string plainLines(const Bytes &codes) {
    std::string lines;
    for (const std::uint8_t code : codes) {
        for (int bit = 7; bit >= 0; --bit)
            lines.push_back((code >> bit) & 1U ? '1' : '0');
        lines += "\r\n";
    }
    return lines;
}

TEST(EncoderPaths, AgreeWithThePlainRulesAndWriteNothingPastTheLines) {
    std::mt19937 random(77);
    for (std::size_t count = 0; count < 300; ++count) {
        Bytes codes(count);
        for (auto &code : codes)
            code = static_cast<std::uint8_t>(random());
        const std::string expected = plainLines(codes);
        for (const CodecPath path : {CodecPath::Portable, CodecPath::Vector}) {
            std::string out(count * 10 + 64, '#');
            writeDigitLinesWith(path, codes.data(), count, out.data());
            ASSERT_EQ(out.substr(0, count * 10), expected) << count;
            ASSERT_EQ(out.substr(count * 10), std::string(64, '#')) << count;
        }
    }
}

TEST(EncoderPaths, ConvertEveryCodeInEveryPlaceOfAVectorStep) {
    Bytes codes;
    for (int shift = 0; shift < 16; ++shift) {
        for (int code = 0; code < 256; ++code)
            codes.push_back(static_cast<std::uint8_t>((code + shift * 17) & 0xFF));
    }
    std::string portable(codes.size() * 10, '#');
    std::string vector(codes.size() * 10, '#');
    writeDigitLinesWith(CodecPath::Portable, codes.data(), codes.size(), portable.data());
    writeDigitLinesWith(CodecPath::Vector, codes.data(), codes.size(), vector.data());
    EXPECT_EQ(portable, plainLines(codes));
    EXPECT_EQ(vector, portable);
}

TEST(CodecPathsOnThisProcessor, AreRecorded) {
    RecordProperty("vector_encoding", vectorEncodingSupported() ? "yes" : "no");
    RecordProperty("vector_decoding", vectorDecodingSupported() ? "yes" : "no");
    EXPECT_EQ(fastestEncodingPath() == CodecPath::Vector, vectorEncodingSupported());
    EXPECT_EQ(fastestDecodingPath() == CodecPath::Vector, vectorDecodingSupported());
}

} // namespace
} // namespace glyphmill
