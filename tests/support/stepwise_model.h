#pragma once

#include "runtime_error.h"
#include "value.h"

#include <optional>
#include <string>

namespace glyphmill::model {

// The three conversions run step by step on the value runtime, one digit and
// one text round trip at a time, the way the window's algorithms are written
// down. Slow on purpose: the production conversions must give exactly these
// results.

struct TextBoxes {
    std::u16string answer; // the answer box (or the binary answer box)
    std::u16string work;   // the work box of binary to text
    std::u16string number; // the number box after the conversion
    bool numberConverted = false;
    std::optional<RuntimeError> error;
};

TextBoxes textToBinary(const std::u16string &input);
TextBoxes binaryToText(const std::u16string &input);
// `answerBefore` is what the binary answer box held before the click: a text
// that is no number leaves it as it was.
TextBoxes numberToBinary(const std::u16string &numberBox, const std::u16string &answerBefore = u"");

} // namespace glyphmill::model
