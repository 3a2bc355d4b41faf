// "Ascii To Binary" against the step-by-step model, and the encoder's
// portable and vector paths against each other.
#include "digit_lines.h"
#include "fuzz_support.h"
#include "stepwise_model.h"
#include "text_to_binary.h"

#include <string>

using namespace glyphmill;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    // The model takes time quadratic in the length.
    if (size > 2048)
        return 0;
    const std::u16string input = fuzz::textFromBytes(data, size);
    const TextToBinaryResult result = textToBinary(input);
    const model::TextBoxes expected = model::textToBinary(input);
    const std::string shown = "input: " + fuzz::printable(input);
    fuzz::expect(std::u16string(result.answer.begin(), result.answer.end()) == expected.answer,
                 "text to binary: answer differs from the model",
                 shown + "\nanswer: " + fuzz::printable(result.answer) +
                     "\nmodel:  " + fuzz::printable(expected.answer));
    fuzz::expect(result.error.has_value() == expected.error.has_value(),
                 "text to binary: error differs from the model", shown);
    if (result.error) {
        fuzz::expect(result.error->number() == expected.error->number() &&
                         result.error->description() == expected.error->description(),
                     "text to binary: error report differs from the model",
                     shown + "\nreport: " + result.error->description() +
                         "\nmodel:  " + expected.error->description());
    }

    // The raw bytes as codes, through both paths of the encoder.
    std::string portable(size * kDigitLineLength, '\0');
    std::string vector(size * kDigitLineLength, '\0');
    writeDigitLinesWith(CodecPath::Portable, data, size, portable.data());
    writeDigitLinesWith(CodecPath::Vector, data, size, vector.data());
    fuzz::expect(portable == vector, "digit lines: the vector path differs from the portable one",
                 "codes: " + fuzz::printable(fuzz::widened(data, size)));
    for (std::size_t i = 0; i < size; ++i) {
        for (std::size_t bit = 0; bit < 8; ++bit) {
            const char digit = (data[i] >> (7 - bit)) & 1U ? '1' : '0';
            fuzz::expect(portable[i * kDigitLineLength + bit] == digit, "digit lines: wrong digit",
                         "at code " + std::to_string(i));
        }
        fuzz::expect(portable.compare(i * kDigitLineLength + 8, 2, "\r\n") == 0,
                     "digit lines: no CR LF after a code", "at code " + std::to_string(i));
    }
    return 0;
}
