// The streaming binary-to-text decoder of glyphmill-convert, fed in pieces of
// random sizes on both of its paths, against one whole-input decode, the
// window's conversion of the same characters and the step-by-step model.
#include "binary_to_text.h"
#include "digit_stream_decoder.h"
#include "fuzz_support.h"
#include "piece_sizes.h"
#include "stepwise_model.h"

#include <cstring>
#include <memory>
#include <string>
#include <vector>

using namespace glyphmill;

namespace {

// Every piece and every output buffer is a heap block of exactly the size
// the decoder is promised, so that a read or write past it is caught.
std::string decodeInPieces(CodecPath path, const std::uint8_t *data, std::size_t size,
                           std::uint64_t startValue) {
    DigitStreamDecoder decoder(path);
    fuzz::PieceSizes sizes(startValue);
    std::string decoded;
    for (std::size_t done = 0; done < size;) {
        const std::size_t count = startValue == 0 ? size : sizes.next(size - done);
        const auto piece = std::make_unique<std::uint8_t[]>(count);
        std::memcpy(piece.get(), data + done, count);
        const std::size_t capacity = DigitStreamDecoder::outputCapacity(count);
        const auto out = std::make_unique<std::uint8_t[]>(capacity);
        const std::size_t written = decoder.decode(piece.get(), count, out.get());
        fuzz::expect(written <= count / 8 + 1, "stream decoder: more codes than the input allows",
                     std::to_string(written) + " codes from " + std::to_string(count) + " bytes");
        decoded.append(reinterpret_cast<const char *>(out.get()), written);
        done += count;
    }
    const auto out = std::make_unique<std::uint8_t[]>(1);
    decoded.append(reinterpret_cast<const char *>(out.get()), decoder.finish(out.get()));
    return decoded;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size < sizeof(std::uint64_t))
        return 0;
    std::uint64_t startValue = 0;
    std::memcpy(&startValue, data, sizeof startValue);
    data += sizeof startValue;
    size -= sizeof startValue;

    const std::string shown = "input: " + fuzz::printable(fuzz::widened(data, size));
    const std::string whole = decodeInPieces(CodecPath::Portable, data, size, 0);
    for (const CodecPath path : {CodecPath::Portable, CodecPath::Vector}) {
        const char *name = path == CodecPath::Portable ? "portable" : "vector";
        const std::string inPieces = decodeInPieces(path, data, size, startValue | 1U);
        fuzz::expect(inPieces == whole,
                     "stream decoder: pieces decode differently from the whole input",
                     shown + "\npath: " + name + "\npieces: " + fuzz::printable(inPieces) +
                         "\nwhole:  " + fuzz::printable(whole));
        fuzz::expect(decodeInPieces(path, data, size, 0) == whole,
                     "stream decoder: the paths differ on the whole input",
                     shown + "\npath: " + name);
    }

    // Each byte as the character of the same number, in the window.
    const std::u16string typed = fuzz::widened(data, size);
    std::u16string decodedText;
    for (const char code : whole)
        decodedText.push_back(Windows1252::decode(static_cast<std::uint8_t>(code)));
    const BinaryToTextResult window = binaryToText(typed);
    fuzz::expect(window.answer == decodedText,
                 "stream decoder: differs from the window's conversion",
                 shown + "\nstream: " + fuzz::printable(decodedText) +
                     "\nwindow: " + fuzz::printable(window.answer));
    // The model takes time quadratic in the length; the binary-to-text
    // target checks it on longer inputs.
    if (size <= 256) {
        fuzz::expect(model::binaryToText(typed).answer == decodedText,
                     "stream decoder: differs from the model", shown);
    }
    return 0;
}
