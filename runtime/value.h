#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace glyphmill {

class Value;
using ValueArray = std::vector<Value>;

// A dynamically typed value. Every Value is empty until first assigned.
class Value {
  public:
    enum class Kind { Empty, Integer, Long, Double, Text, Array, Missing };

    Value() = default;
    Value(double number)
        : m_data(number) {}
    Value(std::u16string text)
        : m_data(std::move(text)) {}
    Value(const char16_t *text)
        : m_data(std::u16string(text)) {}

    static Value integer(std::int16_t number);
    static Value longInteger(std::int32_t number);
    static Value boolean(bool truth) { return integer(truth ? -1 : 0); }
    static Value array(std::size_t count);
    static Value missing();

    Kind kind() const;
    bool isNumber() const;
    bool isText() const { return kind() == Kind::Text; }

    // The number this Value takes part as in arithmetic and comparisons:
    // empty is 0, a text must read as a number (else type mismatch).
    double toNumber() const;
    // The text of this Value: empty is "", a number its number text.
    std::u16string toText() const;
    const std::u16string &text() const;

    Value &operator[](std::size_t index);
    const Value &operator[](std::size_t index) const;
    std::size_t size() const;

  private:
    struct Missing {
        bool operator==(const Missing &) const = default;
    };
    using Data = std::variant<std::monostate, std::int16_t, std::int32_t, double, std::u16string,
                              std::shared_ptr<ValueArray>, Missing>;
    Data m_data;
};

// Conversions to 32-bit integers.
std::int32_t roundToLong(double number); // nearest, halves to even
std::int32_t floorToLong(double number); // largest integer not above
std::int32_t valueToLong(const Value &value);
std::int32_t multiplyLong(std::int32_t a, std::int32_t b);

bool isNumeric(const Value &value);

// Text functions; positions are 1-based, lengths count UTF-16 units.
std::size_t textLength(const Value &value);
Value mid(const Value &value, std::size_t start, std::size_t length);
std::uint8_t ansiCode(std::u16string_view text);
std::u16string ansiCharacter(int code);
std::u16string replaceAll(std::u16string_view text, std::u16string_view search,
                          std::u16string_view replacement);
Value concatenate(const Value &a, const Value &b);

// Arithmetic; a text that reads as a number takes part as that number.
Value add(const Value &a, const Value &b);
Value subtract(const Value &a, const Value &b);
Value divide(const Value &a, const Value &b);

// Comparisons. A text against a number compares as a number and raises the
// type-mismatch error if it is no number; two texts compare by codes.
bool equals(const Value &a, const Value &b);
bool greaterOrEqual(const Value &a, const Value &b);
bool greater(const Value &a, const Value &b);
bool lessOrEqual(const Value &a, const Value &b);

} // namespace glyphmill
