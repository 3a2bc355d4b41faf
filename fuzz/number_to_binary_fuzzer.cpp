// "Number To Binary" against the step-by-step model.
#include "fuzz_support.h"
#include "number_to_binary.h"
#include "stepwise_model.h"

using namespace glyphmill;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size > 4096)
        return 0;
    const std::u16string typed = fuzz::textFromBytes(data, size);
    const std::u16string before = u"answer before";
    const NumberToBinaryResult result = numberToBinary(typed);
    const model::TextBoxes expected = model::numberToBinary(typed, before);
    const std::string shown = "typed: " + fuzz::printable(typed);
    fuzz::expect(result.converted == expected.numberConverted,
                 "number to binary: whether it is a number differs from the model", shown);
    fuzz::expect(expected.number == typed, "number to binary: the model lost the typed text",
                 shown);
    if (!result.converted) {
        fuzz::expect(expected.answer == before && !expected.error,
                     "number to binary: the model changed a box for a text that is no number",
                     shown);
        return 0;
    }
    fuzz::expect(result.error.has_value() == expected.error.has_value(),
                 "number to binary: refusal differs from the model", shown);
    if (result.error) {
        fuzz::expect(result.error->number() == expected.error->number(),
                     "number to binary: error number differs from the model",
                     shown + "\nerror: " + std::to_string(result.error->number()) +
                         "\nmodel: " + std::to_string(expected.error->number()));
        fuzz::expect(expected.answer.empty(), "number to binary: answer not emptied on an error",
                     shown);
        return 0;
    }
    fuzz::expect(result.digits == expected.answer, "number to binary: digits differ from the model",
                 shown + "\ndigits: " + fuzz::printable(result.digits) +
                     "\nmodel:  " + fuzz::printable(expected.answer));
    return 0;
}
