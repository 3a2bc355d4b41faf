#include "tests/support/against_model.h"

#include "codec/binary_to_text.h"
#include "codec/digit_group_encoder.h"
#include "codec/digit_lines.h"
#include "codec/digit_stream_decoder.h"
#include "codec/number_to_binary.h"
#include "codec/strict_digit_decoder.h"
#include "codec/text_to_binary.h"
#include "tests/support/stepwise_model.h"

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

// The strict decoder's codes and fault, the bytes split into two files at
// `split`.
std::string strictly(CodecPath path, std::string_view bytes, std::size_t split,
                     std::uint32_t pieceChoice) {
    StrictDigitDecoder decoder(path);
    std::string codes;
    for (const std::string_view file : {bytes.substr(0, split), bytes.substr(split)}) {
        if (file.empty())
            continue;
        decoder.startFile();
        codes += decoded(decoder, file, pieceChoice);
    }
    decoder.finish();
    if (const auto &fault = decoder.fault())
        codes += " " + std::to_string(fault->line) + ":" + std::to_string(fault->column) + " " +
                 std::to_string(fault->found);
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
    std::string found, layouts[2]; // the texts of each path in every layout
    for (const CodecPath path : {CodecPath::Portable, CodecPath::Vector}) {
        if (strictly(path, bytes, split, pieceChoice) !=
            strictDigits({bytes.substr(0, split), bytes.substr(split)}))
            found += "strict decoder; ";
        std::string lines(bytes.size() * digitGroupLength(DigitSeparator::CrLf) + 16, '#');
        writeDigitLinesWith(path, codes, bytes.size(), lines.data());
        if (std::u16string(lines.begin(), lines.end()) !=
            textToBinary(codePageText(bytes)).answer + std::u16string(16, u'#'))
            found += "digit lines; ";
        DigitStreamDecoder decoder(path);
        std::string stream = decoded(decoder, bytes, pieceChoice);
        std::uint8_t last = 0;
        const std::size_t lastCount = decoder.finish(&last); // before `last` is read
        stream.append(lastCount, static_cast<char>(last));
        if (codePageText(stream) !=
            binaryToText(std::u16string(codes, codes + bytes.size())).answer)
            found += "stream decoder; ";
        // Each layout, read back by the strict decoder.
        for (int layout = 0; layout < 4; ++layout) {
            DigitGroupEncoder encoder(static_cast<DigitSeparator>(layout), path);
            std::string text(DigitGroupEncoder::outputCapacity(bytes.size()) + 1, '\0');
            std::size_t written = 0;
            inPieces(bytes, pieceChoice, [&](const std::vector<std::uint8_t> &piece) {
                written += encoder.encode(piece.data(), piece.size(), text.data() + written);
            });
            text.resize(written + encoder.finish(text.data() + written));
            if (strictly(path, text, pieceChoice % (text.size() + 1), pieceChoice) != bytes)
                found += "layout " + std::to_string(layout) + "; ";
            layouts[path == CodecPath::Vector] += text + "|";
        }
    }
    return found + (layouts[0] == layouts[1] ? "" : "the paths' layouts differ; ");
}

} // namespace glyphmill::model
