#pragma once

#include "codec/line_positions.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace glyphmill::convert {

// UTF-8 text given in pieces of any size, read as the window reads typed
// text: each character becomes its Windows-1252 code. A character may be cut
// between two pieces of a file, but not between two files. Reading stops at
// the first character that has no code, or at bytes that are no UTF-8
// character, and the fault tells where that character starts in its file.
class Utf8Reader {
  public:
    struct Fault {
        std::uint64_t line = 1;   // from 1; lines end with LF
        std::uint64_t column = 1; // from 1, counted in bytes
        std::string message;
    };

    // The next pieces come from another file: a character left unfinished
    // by the file before is a fault there.
    void startFile();
    // Reads the next piece into `codes` (room for `count` + 64 codes); returns
    // how many codes it wrote: those of the characters before the fault,
    // when the piece holds one.
    std::size_t read(const std::uint8_t *input, std::size_t count, std::uint8_t *codes);
    // Ends the input: an unfinished character is a fault.
    void finish();

    const std::optional<Fault> &fault() const { return m_fault; }

  private:
    // How the bytes at `at` (`available` of them) begin: a whole character
    // of `length` bytes, the start of one that needs more bytes (`length` 0),
    // or no UTF-8 (`length` the bytes of the broken part, `valid` false).
    struct Character {
        bool valid = true;
        std::size_t length = 0;
        char32_t value = 0;
    };
    static Character characterAt(const std::uint8_t *at, std::size_t available);
    // The code of a whole character, when it is one and has one.
    static bool take(const Character &character, std::uint8_t *code);
    // What is wrong with a character take() refused, whose bytes start at
    // `bytes`.
    static std::string refusal(const Character &character, const std::uint8_t *bytes);
    // A fault at `at` in the piece; a negative `at` is in the bytes held from
    // the piece before.
    void faultAt(const std::uint8_t *input, std::ptrdiff_t at, std::string message);

    std::uint8_t m_held[4] = {};
    std::size_t m_heldCount = 0;
    LinePositions m_positions;
    std::optional<Fault> m_fault;
};

// Writes each code as its Windows-1252 character in UTF-8: what the window
// shows. `out` needs room for three bytes a code and one more; returns the
// bytes written.
std::size_t writeCodesAsUtf8(const std::uint8_t *codes, std::size_t count, std::uint8_t *out);

} // namespace glyphmill::convert
