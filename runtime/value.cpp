#include "runtime/value.h"

#include "runtime/number_text.h"
#include "runtime/runtime_error.h"
#include "runtime/windows_1252.h"

#include <cmath>
#include <cstdio>
#include <limits>

namespace glyphmill {

Value Value::integer(std::int16_t number) {
    Value v;
    v.m_data = number;
    return v;
}

Value Value::longInteger(std::int32_t number) {
    Value v;
    v.m_data = number;
    return v;
}

Value Value::array(std::size_t count) {
    Value v;
    v.m_data = std::make_shared<ValueArray>(count);
    return v;
}

Value Value::missing() {
    Value v;
    v.m_data = Missing{};
    return v;
}

Value::Kind Value::kind() const {
    return static_cast<Kind>(m_data.index());
}

bool Value::isNumber() const {
    const Kind k = kind();
    return k == Kind::Integer || k == Kind::Long || k == Kind::Double;
}

double Value::toNumber() const {
    switch (kind()) {
    case Kind::Empty:
        return 0.0;
    case Kind::Integer:
        return std::get<std::int16_t>(m_data);
    case Kind::Long:
        return std::get<std::int32_t>(m_data);
    case Kind::Double:
        return std::get<double>(m_data);
    case Kind::Text:
        return textToNumber(std::get<std::u16string>(m_data));
    case Kind::Array:
    case Kind::Missing:
        break;
    }
    throw RuntimeError::typeMismatch();
}

std::u16string Value::toText() const {
    switch (kind()) {
    case Kind::Empty:
        return {};
    case Kind::Integer:
        return integerText(std::get<std::int16_t>(m_data));
    case Kind::Long:
        return integerText(std::get<std::int32_t>(m_data));
    case Kind::Double:
        return numberText(std::get<double>(m_data));
    case Kind::Text:
        return std::get<std::u16string>(m_data);
    case Kind::Array:
    case Kind::Missing:
        break;
    }
    throw RuntimeError::typeMismatch();
}

const std::u16string &Value::text() const {
    if (kind() != Kind::Text)
        throw RuntimeError::typeMismatch();
    return std::get<std::u16string>(m_data);
}

Value &Value::operator[](std::size_t index) {
    if (kind() != Kind::Array)
        throw RuntimeError::typeMismatch();
    auto &items = *std::get<std::shared_ptr<ValueArray>>(m_data);
    if (index >= items.size())
        throw RuntimeError(9, "Subscript out of range");
    return items[index];
}

const Value &Value::operator[](std::size_t index) const {
    return const_cast<Value &>(*this)[index];
}

std::size_t Value::size() const {
    if (kind() != Kind::Array)
        throw RuntimeError::typeMismatch();
    return std::get<std::shared_ptr<ValueArray>>(m_data)->size();
}

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

std::int32_t floorToLong(double number) {
    return checkedLong(std::floor(number));
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

std::u16string replaceAll(std::u16string_view text, std::u16string_view search,
                          std::u16string_view replacement) {
    if (search.empty())
        return std::u16string(text);
    std::u16string result;
    result.reserve(text.size());
    std::size_t from = 0;
    for (std::size_t at = text.find(search); at != std::u16string_view::npos;
         at = text.find(search, from)) {
        result.append(text.substr(from, at - from));
        result.append(replacement);
        from = at + search.size();
    }
    result.append(text.substr(from));
    return result;
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
