// "Binary To Ascii" against the step-by-step model.
#include "binary_to_text.h"
#include "fuzz_support.h"
#include "stepwise_model.h"

using namespace glyphmill;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    // The model takes time quadratic in the length.
    if (size > 2048)
        return 0;
    const std::u16string input = fuzz::textFromBytes(data, size);
    const BinaryToTextResult result = binaryToText(input);
    const model::TextBoxes expected = model::binaryToText(input);
    const std::string shown = "input: " + fuzz::printable(input);
    fuzz::expect(result.answer == expected.answer, "binary to text: answer differs from the model",
                 shown + "\nanswer: " + fuzz::printable(result.answer) +
                     "\nmodel:  " + fuzz::printable(expected.answer));
    fuzz::expect(result.work == expected.work, "binary to text: work box differs from the model",
                 shown + "\nwork:  " + fuzz::printable(result.work) +
                     "\nmodel: " + fuzz::printable(expected.work));
    return 0;
}
