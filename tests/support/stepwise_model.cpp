#include "stepwise_model.h"

#include "number_text.h"
#include "text_to_binary.h"
#include "value_operations.h"
#include "windows_1252.h"

namespace glyphmill::model {
namespace {

// The weights of the eight digits, most significant first, as texts; index 0
// is never read.
Value makeWeightsTable() {
    Value table = Value::array(9);
    table[0] = Value(u"");
    const char16_t *weights[] = {u"128", u"64", u"32", u"16", u"8", u"4", u"2", u"1"};
    for (std::size_t i = 1; i <= 8; ++i)
        table[i] = Value(weights[i - 1]);
    return table;
}

// Appending to a text box: the box keeps nothing from a character of code 0 on.
void appendToBox(std::u16string &box, const std::u16string &piece) {
    box += piece;
    const auto nul = box.find(u'\0');
    if (nul != std::u16string::npos)
        box.resize(nul);
}

// A number made text and read back with the leading-number reading.
Value throughText(const Value &number) {
    return Value(leadingNumber(number.toText()));
}

// The first character of the text of `number` passed through text.
Value firstDigitOf(const Value &number) {
    return mid(Value(numberText(throughText(number).toNumber())), 1, 1);
}

} // namespace

TextBoxes textToBinary(const std::u16string &input) {
    const Value weights = makeWeightsTable();
    const Value text(input);
    TextBoxes boxes;
    Value outerPass(1.0);
    Value charPos(1.0);
    while (lessOrEqual(outerPass, Value(static_cast<double>(textLength(text))))) {
        for (int charCounter = 1; charCounter <= 8; ++charCounter) {
            if (greater(charPos, Value(static_cast<double>(textLength(text)))))
                return boxes;
            const auto position = static_cast<std::size_t>(charPos.toNumber());
            const Value character = mid(text, position, 1);
            if (!Windows1252::encode(character.text().front())) {
                boxes.error = unencodableCharacterError(input, position);
                return boxes;
            }
            Value charCode(static_cast<double>(ansiCode(character.text())));
            for (std::size_t i = 1; i <= 8; ++i) {
                const Value quotient = divide(charCode, weights[i]);
                if (equals(firstDigitOf(quotient), Value::integer(1))) {
                    appendToBox(boxes.answer, u"1");
                    charCode = throughText(subtract(charCode, weights[i]));
                } else {
                    appendToBox(boxes.answer, u"0");
                }
            }
            charPos = add(charPos, Value::integer(1));
            appendToBox(boxes.answer, u"\r\n");
        }
        outerPass = add(outerPass, Value::integer(1));
    }
    return boxes;
}

TextBoxes binaryToText(const std::u16string &input) {
    const Value weights = makeWeightsTable();
    TextBoxes boxes;
    boxes.work = replaceAll(input, u"\r\n", u"");
    const Value work(boxes.work);
    Value digitPos(1.0);
    Value groupCounter; // never assigned before the loop: empty, which compares as 0
    while (!greater(groupCounter, Value(static_cast<double>(textLength(work))))) {
        Value groupSum(0.0);
        for (std::size_t k = 1; k <= 8; ++k) {
            const auto position = static_cast<std::size_t>(digitPos.toNumber());
            if (equals(mid(work, position, 1), Value(u"1")))
                groupSum = throughText(add(groupSum, weights[k]));
            digitPos = add(digitPos, Value::integer(1));
        }
        appendToBox(boxes.answer, ansiCharacter(valueToLong(groupSum)));
        groupCounter = add(groupCounter, Value::integer(1));
    }
    return boxes;
}

TextBoxes numberToBinary(const std::u16string &numberBox, const std::u16string &answerBefore) {
    TextBoxes boxes;
    boxes.number = numberBox;
    boxes.answer = answerBefore;
    if (!isNumeric(Value(numberBox)))
        return boxes;
    boxes.numberConverted = true;
    boxes.answer.clear();
    std::u16string textBox = numberBox;
    const std::u16string saved = textBox;
    try {
        std::int32_t powerOfTwo = 1;
        Value bitCount(0.0);
        do {
            powerOfTwo = roundToLong(leadingNumber(integerText(multiplyLong(powerOfTwo, 2))));
            bitCount = throughText(add(bitCount, Value::integer(1)));
        } while (greater(Value(textBox), Value::longInteger(powerOfTwo)));

        const double last = bitCount.toNumber();
        for (Value bitIndex(0.0); bitIndex.toNumber() <= last;
             bitIndex = add(bitIndex, Value::integer(1))) {
            const Value quotient = divide(Value(textBox), Value::longInteger(powerOfTwo));
            if (greaterOrEqual(firstDigitOf(quotient), Value::integer(1))) {
                boxes.answer += u"1";
                const Value remainder =
                    throughText(subtract(Value(textBox), Value::longInteger(powerOfTwo)));
                textBox = remainder.toText();
            } else {
                boxes.answer += u"0";
            }
            powerOfTwo = roundToLong(
                throughText(divide(Value::longInteger(powerOfTwo), Value::integer(2))).toNumber());
        }
    } catch (const RuntimeError &error) {
        // The number box keeps what the user typed; the handler stops here.
        boxes.error = error;
        return boxes;
    }
    textBox = saved;
    if (mid(Value(boxes.answer), 1, 1).text() == u"0")
        boxes.answer.erase(0, 1);
    boxes.number = textBox;
    return boxes;
}

} // namespace glyphmill::model
