#include "value_operations.h"

#include "number_text.h"
#include "runtime_error.h"
#include "windows_1252.h"

#include <cmath>
#include <limits>

namespace glyphmill {

namespace {

std::int32_t checkedLong(double number) {
    if (!(number >= std::numeric_limits<std::int32_t>::min() &&
          number <= std::numeric_limits<std::int32_t>::max()))
        throw RuntimeError::overflow();
    return static_cast<std::int32_t>(number);
}

double checkedResult(double result) {
    if (!std::isfinite(result))
        throw RuntimeError::overflow();
    return result;
}

bool isIntegerKind(const Value &v) {
    return v.kind() == Value::Kind::Integer || v.kind() == Value::Kind::Long ||
           v.kind() == Value::Kind::Empty;
}

// Sum or difference of two whole-number Values: the narrowest kind that holds
// the result, widening on overflow as the runtime does.
Value wholeResult(std::int64_t result, const Value &a, const Value &b) {
    const bool bothShort = (a.kind() != Value::Kind::Long && b.kind() != Value::Kind::Long);
    if (bothShort && result >= std::numeric_limits<std::int16_t>::min() &&
        result <= std::numeric_limits<std::int16_t>::max())
        return Value::integer(static_cast<std::int16_t>(result));
    if (result >= std::numeric_limits<std::int32_t>::min() &&
        result <= std::numeric_limits<std::int32_t>::max())
        return Value::longInteger(static_cast<std::int32_t>(result));
    return Value(static_cast<double>(result));
}

// -1, 0 or 1. Two texts compare by codes; otherwise both take part as numbers.
int compare(const Value &a, const Value &b) {
    const bool aText = a.isText() || a.kind() == Value::Kind::Empty;
    const bool bText = b.isText() || b.kind() == Value::Kind::Empty;
    if (aText && bText && (a.isText() || b.isText())) {
        const std::u16string x = a.toText();
        const std::u16string y = b.toText();
        return x < y ? -1 : (x == y ? 0 : 1);
    }
    const double x = a.toNumber();
    const double y = b.toNumber();
    return x < y ? -1 : (x == y ? 0 : 1);
}

} // namespace

std::int32_t roundToLong(double number) {
    return checkedLong(std::nearbyint(number));
}

double leadingNumber(std::u16string_view text) {
    std::size_t start = 0;
    while (start < text.size() && (text[start] == u' ' || text[start] == u'\t'))
        ++start;
    // The longest prefix that reads as a whole number, without blanks after it.
    for (std::size_t end = text.size(); end > start; --end) {
        const std::u16string_view prefix = text.substr(start, end - start);
        if (prefix.back() != u' ' && readsAsNumber(prefix))
            return textToNumber(prefix);
    }
    return 0.0;
}

std::int32_t valueToLong(const Value &value) {
    return roundToLong(value.toNumber());
}

std::int32_t multiplyLong(std::int32_t a, std::int32_t b) {
    std::int32_t result = 0;
    if (__builtin_mul_overflow(a, b, &result))
        throw RuntimeError::overflow();
    return result;
}

bool isNumeric(const Value &value) {
    switch (value.kind()) {
    case Value::Kind::Empty:
    case Value::Kind::Integer:
    case Value::Kind::Long:
    case Value::Kind::Double:
        return true;
    case Value::Kind::Text:
        return readsAsNumber(value.text());
    case Value::Kind::Array:
    case Value::Kind::Missing:
        break;
    }
    return false;
}

std::size_t textLength(const Value &value) {
    return value.toText().size();
}

Value mid(const Value &value, std::size_t start, std::size_t length) {
    if (start < 1)
        throw RuntimeError::invalidCall("Invalid procedure call or argument");
    const std::u16string text = value.toText();
    if (start > text.size())
        return Value(u"");
    return Value(text.substr(start - 1, length));
}

std::uint8_t ansiCode(std::u16string_view text) {
    if (text.empty())
        throw RuntimeError::invalidCall("Invalid procedure call or argument");
    const auto code = Windows1252::encode(text.front());
    if (!code)
        throw RuntimeError::invalidCall("Invalid procedure call or argument");
    return *code;
}

std::u16string ansiCharacter(int code) {
    if (code < 0 || code > 255)
        throw RuntimeError::invalidCall("Invalid procedure call or argument");
    return std::u16string(1, Windows1252::decode(static_cast<std::uint8_t>(code)));
}

Value concatenate(const Value &a, const Value &b) {
    return Value(a.toText() + b.toText());
}

Value add(const Value &a, const Value &b) {
    if (a.isText() && b.isText())
        return concatenate(a, b);
    if (a.kind() == Value::Kind::Empty && b.kind() == Value::Kind::Empty)
        return Value::integer(0);
    if (isIntegerKind(a) && isIntegerKind(b))
        return wholeResult(static_cast<std::int64_t>(a.toNumber()) +
                               static_cast<std::int64_t>(b.toNumber()),
                           a, b);
    return Value(checkedResult(a.toNumber() + b.toNumber()));
}

Value subtract(const Value &a, const Value &b) {
    if (isIntegerKind(a) && isIntegerKind(b))
        return wholeResult(static_cast<std::int64_t>(a.toNumber()) -
                               static_cast<std::int64_t>(b.toNumber()),
                           a, b);
    return Value(checkedResult(a.toNumber() - b.toNumber()));
}

Value divide(const Value &a, const Value &b) {
    const double x = a.toNumber();
    const double y = b.toNumber();
    if (y == 0.0) {
        if (x == 0.0)
            throw RuntimeError::overflow();
        throw RuntimeError::divisionByZero();
    }
    return Value(checkedResult(x / y));
}

bool equals(const Value &a, const Value &b) {
    return compare(a, b) == 0;
}
bool greaterOrEqual(const Value &a, const Value &b) {
    return compare(a, b) >= 0;
}
bool greater(const Value &a, const Value &b) {
    return compare(a, b) > 0;
}
bool lessOrEqual(const Value &a, const Value &b) {
    return compare(a, b) <= 0;
}

} // namespace glyphmill
