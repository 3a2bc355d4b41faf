#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The product's conversions against the step-by-step model, for the tests
// and the fuzzers alike. Each returns what differs, "" when nothing does.
namespace glyphmill::model {

// The three conversions of the window on one input: answers, work box,
// whether it is a number, and the error reports.
std::string differencesFrom(std::u16string_view input);

// The codec's byte paths and layouts on both paths, each byte taken as a
// code, given the bytes in one piece (`pieceChoice` 0) or in pieces of sizes
// that `pieceChoice` picks: the stream decoder against the step-by-step
// model, the strict decoder against the strict model (the bytes split into
// two files at a place `pieceChoice` picks), and text to binary in each
// layout to the byte, nothing written past it.
std::string codecDifferencesFrom(std::string_view bytes, std::uint32_t pieceChoice);

} // namespace glyphmill::model
