#include "against_model.h"

#include "binary_to_text.h"
#include "digit_lines.h"
#include "digit_stream_decoder.h"
#include "number_to_binary.h"
#include "stepwise_model.h"
#include "text_to_binary.h"

#include <random>
#include <vector>

namespace glyphmill::model {
namespace {

std::string errorOf(const std::optional<RuntimeError> &error) {
    return error ? error->description() : "";
}

} // namespace

std::string differencesFrom(std::u16string_view input) {
    const TextToBinaryResult text = glyphmill::textToBinary(input);
    const BinaryToTextResult binary = glyphmill::binaryToText(input);
    const NumberToBinaryResult number = glyphmill::numberToBinary(input);
    const Boxes textModel = model::textToBinary(input), binaryModel = model::binaryToText(input);
    const Boxes numberModel = model::numberToBinary(input);
    std::string found;
    for (const auto &[same, what] :
         {std::pair{std::u16string(text.answer.begin(), text.answer.end()) == textModel.answer,
                    "text to binary: answer; "},
          {errorOf(text.error) == textModel.error, "text to binary: error; "},
          {binary.answer == binaryModel.answer, "binary to text: answer; "},
          {binary.work == binaryModel.work, "binary to text: work box; "},
          {number.converted == numberModel.converted, "number to binary: number or not; "},
          {number.digits == numberModel.answer, "number to binary: digits; "},
          {errorOf(number.error) == numberModel.error, "number to binary: error; "}})
        found += same ? "" : what;
    return found;
}

std::string pathDifferencesFrom(std::string_view bytes, std::uint32_t seed) {
    const auto *codes = reinterpret_cast<const std::uint8_t *>(bytes.data());
    std::u16string numbers, characters; // each byte as the character of its number, its code
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        numbers += codes[i];
        characters += codePage(codes[i]);
    }
    std::minstd_rand random(seed);
    std::string found;
    for (const CodecPath path : {CodecPath::Portable, CodecPath::Vector}) {
        std::string lines(bytes.size() * kDigitLineLength + 16, '#');
        writeDigitLinesWith(path, codes, bytes.size(), lines.data());
        if (std::u16string(lines.begin(), lines.end()) !=
            model::textToBinary(characters).answer + std::u16string(16, u'#'))
            found += "digit lines; ";
        DigitStreamDecoder decoder(path);
        std::u16string text;
        for (std::size_t at = 0, count = 0; at < bytes.size(); at += count) {
            count = std::min(bytes.size() - at,
                             seed ? 1 + random() % (random() % 2 ? 9 : 300) : bytes.size());
            std::vector<std::uint8_t> out(DigitStreamDecoder::outputCapacity(count));
            out.resize(decoder.decode(codes + at, count, out.data()));
            for (const std::uint8_t code : out)
                text += codePage(code);
        }
        std::uint8_t last = 0;
        text += decoder.finish(&last) == 1 ? std::u16string(1, codePage(last)) : u"";
        found += text == model::binaryToText(numbers).answer ? "" : "stream decoder; ";
    }
    return found;
}

} // namespace glyphmill::model
