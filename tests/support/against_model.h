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

// The codec's byte paths, each byte taken as a code, given the bytes in one
// piece (`pieceChoice` 0) or in pieces of sizes that `pieceChoice` picks: the
// digit lines and the stream decoder against the step-by-step model, and the
// strict decoder against the strict model, the bytes split into two files at
// a place `pieceChoice` picks; each on both paths.
std::string pathDifferencesFrom(std::string_view bytes, std::uint32_t pieceChoice);

// Text to binary in each layout of DigitSeparator, in the pieces that
// `pieceChoice` picks: the two paths write the same, and the strict decoder
// reads `bytes` back, from two files split where `pieceChoice` picks. (The
// layouts themselves are checked to the byte on the tool.)
std::string layoutDifferencesFrom(std::string_view bytes, std::uint32_t pieceChoice);

} // namespace glyphmill::model
