#pragma once

#include "value.h"

#include <cstdint>
#include <string>
#include <string_view>

// The value operations that the step-by-step model runs: arithmetic,
// comparisons and text functions, as the runtime defines them.
namespace glyphmill {

std::int32_t roundToLong(double number); // nearest, halves to even
std::int32_t valueToLong(const Value &value);
std::int32_t multiplyLong(std::int32_t a, std::int32_t b);

bool isNumeric(const Value &value);

// The number that the longest leading part of a text spells, 0 when none.
double leadingNumber(std::u16string_view text);

// Text functions; positions are 1-based, lengths count UTF-16 units.
std::size_t textLength(const Value &value);
Value mid(const Value &value, std::size_t start, std::size_t length);
std::uint8_t ansiCode(std::u16string_view text);
std::u16string ansiCharacter(int code);
Value concatenate(const Value &a, const Value &b);

// Arithmetic; a text that reads as a number takes part as that number.
Value add(const Value &a, const Value &b);
Value subtract(const Value &a, const Value &b);
Value divide(const Value &a, const Value &b);

// A text against a number compares as a number (type mismatch if it is no
// number); two texts compare by codes.
bool equals(const Value &a, const Value &b);
bool greaterOrEqual(const Value &a, const Value &b);
bool greater(const Value &a, const Value &b);
bool lessOrEqual(const Value &a, const Value &b);

} // namespace glyphmill
