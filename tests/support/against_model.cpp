#include "against_model.h"

#include "binary_to_text.h"
#include "digit_lines.h"
#include "digit_stream_decoder.h"
#include "number_to_binary.h"
#include "stepwise_model.h"
#include "strict_digit_decoder.h"
#include "text_to_binary.h"

#include <random>
#include <vector>

namespace glyphmill::model {
namespace {

std::string errorOf(const std::optional<RuntimeError> &error) {
    return error ? error->description() : "";
}

// Calls `decode` on each piece, a copy of exactly its size.
template <typename Decode>
void inPieces(std::string_view bytes, std::uint32_t seed, Decode decode) {
    std::minstd_rand random(seed);
    for (std::size_t at = 0, count = 0; at < bytes.size(); at += count) {
        count = std::min(bytes.size() - at,
                         seed ? 1 + random() % (random() % 2 ? 9 : 300) : bytes.size());
        const std::vector<std::uint8_t> piece(bytes.begin() + at, bytes.begin() + at + count);
        decode(piece);
    }
}

std::string strictDecoding(std::string_view bytes, std::uint32_t seed) {
    StrictDigitDecoder decoder;
    std::string decoded;
    inPieces(bytes, seed, [&](const std::vector<std::uint8_t> &piece) {
        std::vector<std::uint8_t> out(StrictDigitDecoder::outputCapacity(piece.size()));
        out.resize(decoder.decode(piece.data(), piece.size(), out.data()));
        decoded.append(out.begin(), out.end());
    });
    decoder.finish();
    const auto &fault = decoder.fault();
    return fault ? decoded + std::to_string(fault->line) + ":" + std::to_string(fault->column) +
                       ":" + std::to_string(fault->found)
                 : decoded;
}

} // namespace

std::string differencesFrom(std::u16string_view input) {
    const TextToBinaryResult text = glyphmill::textToBinary(input);
    const BinaryToTextResult binary = glyphmill::binaryToText(input);
    const NumberToBinaryResult number = glyphmill::numberToBinary(input);
    const std::u16string answer(text.answer.begin(), text.answer.end());
    const bool same[] = {Boxes{true, answer, u"", errorOf(text.error)} == textToBinary(input),
                         Boxes{true, binary.answer, binary.work, ""} == binaryToText(input),
                         Boxes{number.converted, number.digits, u"", errorOf(number.error)} ==
                             numberToBinary(input)};
    return std::string(same[0] ? "" : "text to binary; ") + (same[1] ? "" : "binary to text; ") +
           (same[2] ? "" : "number to binary; ");
}

std::string pathDifferencesFrom(std::string_view bytes, std::uint32_t seed) {
    std::u16string numbers, characters; // each byte as the character of its number, its code
    for (const char byte : bytes) {
        numbers += static_cast<std::uint8_t>(byte);
        characters += codePage(static_cast<std::uint8_t>(byte));
    }
    const auto *codes = reinterpret_cast<const std::uint8_t *>(bytes.data());
    std::string found = strictDecoding(bytes, seed) == strictDecoding(bytes, 0) ? "" : "strict; ";
    for (const CodecPath path : {CodecPath::Portable, CodecPath::Vector}) {
        std::string lines(bytes.size() * kDigitLineLength + 16, '#');
        writeDigitLinesWith(path, codes, bytes.size(), lines.data());
        if (std::u16string(lines.begin(), lines.end()) !=
            model::textToBinary(characters).answer + std::u16string(16, u'#'))
            found += "digit lines; ";
        DigitStreamDecoder decoder(path);
        std::u16string text;
        std::uint8_t last = 0;
        inPieces(bytes, seed, [&](const std::vector<std::uint8_t> &piece) {
            std::vector<std::uint8_t> out(DigitStreamDecoder::outputCapacity(piece.size()));
            out.resize(decoder.decode(piece.data(), piece.size(), out.data()));
            for (const std::uint8_t code : out)
                text += codePage(code);
        });
        text += decoder.finish(&last) == 1 ? std::u16string(1, codePage(last)) : u"";
        found += text == model::binaryToText(numbers).answer ? "" : "stream decoder; ";
    }
    return found;
}

} // namespace glyphmill::model
