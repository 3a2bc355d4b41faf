#include "value.h"

#include "number_text.h"
#include "runtime_error.h"
#include "windows_1252.h"

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

} // namespace

std::int32_t floorToLong(double number) {
    return checkedLong(std::floor(number));
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

} // namespace glyphmill
