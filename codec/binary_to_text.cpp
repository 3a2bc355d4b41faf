#include "codec/binary_to_text.h"

#include "codec/digit_stream_decoder.h"
#include "runtime/base/windows_1252.h"

#include <array>
#include <cstdint>

namespace glyphmill {
namespace {

// The input without its CR LF pairs; a lone CR or LF stays.
std::u16string withoutCrLf(std::u16string_view input) {
    std::u16string work;
    work.reserve(input.size());
    std::size_t from = 0;
    for (std::size_t at = input.find(u"\r\n"); at != std::u16string_view::npos;
         at = input.find(u"\r\n", from)) {
        work.append(input.substr(from, at - from));
        from = at + 2;
    }
    work.append(input.substr(from));
    return work;
}

} // namespace

BinaryToTextResult binaryToText(std::u16string_view input) {
    BinaryToTextResult result;
    result.work = withoutCrLf(input);
    // The decoder reads bytes. A character of the code page's first 256 keeps
    // its low byte: only "1", CR and LF matter, any other byte is a 0 digit,
    // as any wider character is.
    constexpr std::size_t kBlock = 16 * 1024;
    std::array<std::uint8_t, kBlock> bytes{};
    std::array<std::uint8_t, DigitStreamDecoder::outputCapacity(kBlock)> codes{};
    DigitStreamDecoder decoder;
    const auto appendCodes = [&](std::size_t count) {
        const std::size_t at = result.answer.size();
        result.answer.resize(at + count);
        for (std::size_t i = 0; i < count; ++i)
            result.answer[at + i] = Windows1252::decode(codes[i]);
    };
    result.answer.reserve(result.work.size() / 8 + 1);
    for (std::size_t done = 0; done < input.size(); done += kBlock) {
        const std::size_t count = std::min(kBlock, input.size() - done);
        for (std::size_t i = 0; i < count; ++i) {
            const char16_t c = input[done + i];
            bytes[i] = c <= 0xFF ? static_cast<std::uint8_t>(c) : std::uint8_t{'0'};
        }
        appendCodes(decoder.decode(bytes.data(), count, codes.data()));
    }
    appendCodes(decoder.finish(codes.data()));
    return result;
}

} // namespace glyphmill
