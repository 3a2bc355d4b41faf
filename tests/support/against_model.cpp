#include "tests/support/against_model.h"

#include "codec/binary_to_text.h"
#include "codec/digit_group_encoder.h"
#include "codec/digit_stream_decoder.h"
#include "codec/number_to_binary.h"
#include "codec/strict_digit_decoder.h"
#include "codec/text_to_binary.h"
#include "tests/support/stepwise_model.h"

#include <array>
#include <bitset>
#include <random>
#include <vector>

namespace glyphmill::model {
namespace {

// Hands `bytes` to `step` whole, or in pieces of the sizes that `pieceChoice`
// picks, each a copy of exactly its size.
template <typename Step>
void inPieces(std::string_view bytes, std::uint32_t pieceChoice, Step step) {
    std::minstd_rand random(pieceChoice);
    for (std::size_t at = 0, count = 0; at < bytes.size(); at += count) {
        count = std::min(bytes.size() - at,
                         pieceChoice ? 1 + random() % (random() % 2 ? 9 : 300) : bytes.size());
        step(std::vector<std::uint8_t>(bytes.begin() + at, bytes.begin() + at + count));
    }
}

// The codes a decoder writes, given the bytes in pieces that `pieceChoice` picks.
template <typename Decoder>
std::string decoded(Decoder &decoder, std::string_view bytes, std::uint32_t pieceChoice) {
    std::string codes;
    inPieces(bytes, pieceChoice, [&](const std::vector<std::uint8_t> &piece) {
        std::vector<std::uint8_t> out(Decoder::outputCapacity(piece.size()));
        codes.append(out.begin(),
                     out.begin() + decoder.decode(piece.data(), piece.size(), out.data()));
    });
    return codes;
}

} // namespace

std::string differencesFrom(std::u16string_view input) {
    const TextToBinaryResult text = glyphmill::textToBinary(input);
    const BinaryToTextResult binary = glyphmill::binaryToText(input);
    const NumberToBinaryResult number = glyphmill::numberToBinary(input);
    const auto errorOf = [](const auto &error) { return error ? error->description() : ""; };
    const std::u16string answer(text.answer.begin(), text.answer.end());
    const bool same[] = {Boxes{true, answer, u"", errorOf(text.error)} == textToBinary(input),
                         Boxes{true, binary.answer, binary.work, ""} == binaryToText(input),
                         Boxes{number.converted, number.digits, u"", errorOf(number.error)} ==
                             numberToBinary(input)};
    return std::string(same[0] ? "" : "text to binary; ") + (same[1] ? "" : "binary to text; ") +
           (same[2] ? "" : "number to binary; ");
}

std::string codecDifferencesFrom(std::string_view bytes, std::uint32_t pieceChoice) {
    const auto *codes = reinterpret_cast<const std::uint8_t *>(bytes.data());
    const std::size_t split = pieceChoice ? pieceChoice % (bytes.size() + 1) : bytes.size();
    std::string found;
    for (const CodecPath path : {CodecPath::Portable, CodecPath::Vector}) {
        // The strict decoder: its codes and fault, the bytes split into two files.
        StrictDigitDecoder strict(path);
        std::string strictCodes;
        for (const std::string_view file : {bytes.substr(0, split), bytes.substr(split)}) {
            if (file.empty())
                continue;
            strict.startFile();
            strictCodes += decoded(strict, file, pieceChoice);
        }
        strict.finish();
        if (const auto &fault = strict.fault())
            strictCodes += " " + std::to_string(fault->line) + ":" + std::to_string(fault->column) +
                           " " + std::to_string(fault->found);
        if (strictCodes != strictDigits({bytes.substr(0, split), bytes.substr(split)}))
            found += "strict decoder; ";
        DigitStreamDecoder decoder(path);
        std::string stream = decoded(decoder, bytes, pieceChoice);
        std::uint8_t last = 0;
        const std::size_t lastCount = decoder.finish(&last); // before `last` is read
        stream.append(lastCount, static_cast<char>(last));
        if (codePageText(stream) !=
            binaryToText(std::u16string(codes, codes + bytes.size())).answer)
            found += "stream decoder; ";
        // Each layout to the byte, and nothing written past it.
        for (int layout = 0; layout < 4; ++layout) {
            DigitGroupEncoder encoder(static_cast<DigitSeparator>(layout), path);
            std::string text(DigitGroupEncoder::outputCapacity(bytes.size()) + 16, '#'), digits;
            std::size_t written = 0;
            inPieces(bytes, pieceChoice, [&](const std::vector<std::uint8_t> &piece) {
                written += encoder.encode(piece.data(), piece.size(), text.data() + written);
            });
            written += encoder.finish(text.data() + written);
            for (const std::uint8_t code : bytes)
                digits +=
                    std::bitset<8>(code).to_string() + std::array{"\r\n", "\n", " ", ""}[layout];
            if (layout == 2 && !digits.empty()) // spaces between the groups, an LF at the end
                digits.back() = '\n';
            if (text != digits + std::string(text.size() - written, '#'))
                found += "layout " + std::to_string(layout) + "; ";
        }
    }
    return found;
}

} // namespace glyphmill::model
