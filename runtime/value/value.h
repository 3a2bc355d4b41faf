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

// The largest 32-bit integer not above a number (overflow beyond the range).
std::int32_t floorToLong(double number);

// Every occurrence of a search text replaced, exact comparison.
std::u16string replaceAll(std::u16string_view text, std::u16string_view search,
                          std::u16string_view replacement);

} // namespace glyphmill
