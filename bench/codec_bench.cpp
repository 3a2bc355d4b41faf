// Core codec speed, in memory: text to binary in each layout and binary to
// text, on each path, and the window's conversions on a 1,000,000-digit input.
#include "codec/binary_to_text.h"
#include "codec/digit_group_encoder.h"
#include "codec/digit_lines.h"
#include "codec/digit_stream_decoder.h"
#include "codec/strict_digit_decoder.h"
#include "codec/text_to_binary.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace glyphmill;

constexpr std::size_t kPiece = 256 * 1024;

std::vector<std::uint8_t> randomBytes(std::size_t count) {
    std::mt19937_64 random(20240611);
    std::vector<std::uint8_t> bytes(count);
    for (auto &byte : bytes)
        byte = static_cast<std::uint8_t>(random());
    return bytes;
}

std::vector<std::uint8_t> digitLines(const std::vector<std::uint8_t> &bytes) {
    std::vector<std::uint8_t> lines(bytes.size() * digitGroupLength(DigitSeparator::CrLf));
    writeDigitLines(bytes.data(), bytes.size(), reinterpret_cast<char *>(lines.data()));
    return lines;
}

// Digits with the noise a hand-edited file has: spaces, lone CR or LF, CR LF
// pairs in odd places and other characters.
std::vector<std::uint8_t> noisyDigits(std::size_t count) {
    std::mt19937_64 random(7);
    std::vector<std::uint8_t> text;
    text.reserve(count);
    static constexpr char kNoise[] = {' ', '\r', '\n', 'x', '2', '\t'};
    while (text.size() < count) {
        const auto roll = random() % 64;
        if (roll == 0) {
            text.push_back('\r');
            text.push_back('\n');
        } else if (roll < 6) {
            text.push_back(static_cast<std::uint8_t>(kNoise[random() % sizeof kNoise]));
        } else {
            text.push_back(random() & 1U ? '1' : '0');
        }
    }
    text.resize(count);
    return text;
}

// Text to binary in one of the layouts, as the tool encodes a piece.
void encode(benchmark::State &state, DigitSeparator separator, CodecPath path) {
    const auto bytes = randomBytes(64 * 1024);
    std::vector<char> out(DigitGroupEncoder::outputCapacity(bytes.size()) + 1);
    for (auto _ : state) {
        DigitGroupEncoder encoder(separator, path);
        const std::size_t written = encoder.encode(bytes.data(), bytes.size(), out.data());
        encoder.finish(out.data() + written);
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

void decode(benchmark::State &state, CodecPath path, const std::vector<std::uint8_t> &input) {
    std::vector<std::uint8_t> out(DigitStreamDecoder::outputCapacity(kPiece));
    for (auto _ : state) {
        DigitStreamDecoder decoder(path);
        for (std::size_t at = 0; at < input.size(); at += kPiece) {
            const std::size_t count = std::min(kPiece, input.size() - at);
            benchmark::DoNotOptimize(decoder.decode(input.data() + at, count, out.data()));
        }
        benchmark::DoNotOptimize(decoder.finish(out.data()));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * input.size()));
}

const std::vector<std::uint8_t> &cleanInput() {
    static const auto input = digitLines(randomBytes(1 << 20));
    return input;
}

const std::vector<std::uint8_t> &noisyInput() {
    static const auto input = noisyDigits(10 << 20);
    return input;
}

void BM_DecodeLinesPortable(benchmark::State &state) {
    decode(state, CodecPath::Portable, cleanInput());
}
void BM_DecodeLinesVector(benchmark::State &state) {
    decode(state, CodecPath::Vector, cleanInput());
}
void BM_DecodeNoisyPortable(benchmark::State &state) {
    decode(state, CodecPath::Portable, noisyInput());
}
void BM_DecodeNoisyVector(benchmark::State &state) {
    decode(state, CodecPath::Vector, noisyInput());
}

void decodeStrict(benchmark::State &state, CodecPath path) {
    const auto &input = cleanInput();
    std::vector<std::uint8_t> out(StrictDigitDecoder::outputCapacity(kPiece));
    for (auto _ : state) {
        StrictDigitDecoder decoder(path);
        for (std::size_t at = 0; at < input.size(); at += kPiece) {
            const std::size_t count = std::min(kPiece, input.size() - at);
            benchmark::DoNotOptimize(decoder.decode(input.data() + at, count, out.data()));
        }
        decoder.finish();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * input.size()));
}

void BM_DecodeStrictPortable(benchmark::State &state) {
    decodeStrict(state, CodecPath::Portable);
}
void BM_DecodeStrictVector(benchmark::State &state) {
    decodeStrict(state, CodecPath::Vector);
}

// The window's "Binary To Ascii" on 1,000,000 digits, as the answer of "Ascii
// To Binary" gives them (CR LF after every eight), and without line breaks.
void windowBinaryToText(benchmark::State &state, bool lineBreaks) {
    const auto bytes = randomBytes(125'000);
    std::u16string input;
    for (const std::uint8_t byte : bytes) {
        for (int bit = 7; bit >= 0; --bit)
            input.push_back((byte >> bit) & 1U ? u'1' : u'0');
        if (lineBreaks)
            input += u"\r\n";
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(binaryToText(input));
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * 1'000'000));
}

void BM_WindowBinaryToText1MDigitsLines(benchmark::State &state) {
    windowBinaryToText(state, true);
}
void BM_WindowBinaryToText1MDigitsPlain(benchmark::State &state) {
    windowBinaryToText(state, false);
}

// The window's "Ascii To Binary" on 100,000 characters.
void BM_WindowTextToBinary100K(benchmark::State &state) {
    std::u16string input;
    std::mt19937 random(3);
    for (int i = 0; i < 100'000; ++i)
        input.push_back(static_cast<char16_t>(0x20 + random() % 95));
    for (auto _ : state)
        benchmark::DoNotOptimize(textToBinary(input));
}

} // namespace

BENCHMARK_CAPTURE(encode, crlf_portable, DigitSeparator::CrLf, CodecPath::Portable);
BENCHMARK_CAPTURE(encode, crlf_vector, DigitSeparator::CrLf, CodecPath::Vector);
BENCHMARK_CAPTURE(encode, lf_portable, DigitSeparator::Lf, CodecPath::Portable);
BENCHMARK_CAPTURE(encode, lf_vector, DigitSeparator::Lf, CodecPath::Vector);
BENCHMARK_CAPTURE(encode, space_portable, DigitSeparator::Space, CodecPath::Portable);
BENCHMARK_CAPTURE(encode, space_vector, DigitSeparator::Space, CodecPath::Vector);
BENCHMARK_CAPTURE(encode, none_portable, DigitSeparator::None, CodecPath::Portable);
BENCHMARK_CAPTURE(encode, none_vector, DigitSeparator::None, CodecPath::Vector);
BENCHMARK(BM_DecodeLinesPortable);
BENCHMARK(BM_DecodeLinesVector);
BENCHMARK(BM_DecodeNoisyPortable);
BENCHMARK(BM_DecodeNoisyVector);
BENCHMARK(BM_DecodeStrictPortable);
BENCHMARK(BM_DecodeStrictVector);
BENCHMARK(BM_WindowBinaryToText1MDigitsLines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowBinaryToText1MDigitsPlain)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowTextToBinary100K)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
