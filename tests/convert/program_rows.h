#pragma once

#include "tests/convert/tool_messages.h"

#include <string>

namespace glyphmill::test {

// A run of the program as a process, as a console or a shell starts it, with
// the same answer on every system: the arguments, what "a.txt" holds,
// standard output ("o", ">>a.txt": the input file appended to, "pipe": one
// whose reader went away, or one of the system's own), the messages, the exit
// status, what "o" (or "a.txt" when appended to) holds afterwards, and
// standard input ("a.txt", or "" for a closed one).
struct ProgramRow {
    std::string arguments, content, output, errors{};
    int status = 0;
    std::string written{}, input = "a.txt";
};

// Large enough that a copy of the input would show in the peak memory.
inline const std::string kLarge(33554432, '1'), kOwn = "input file is output file";

// Bytes pass both ways untouched (no CR LF for LF, no end at Ctrl+Z); an
// input that is the output file itself; a closed standard input.
inline const ProgramRow kProgramRows[] = {
    {"text-to-binary", "A\r\n\x1A!", "o", "", 0,
     "01000001\n00001101\n00001010\n00011010\n00100001\n"},
    {"binary-to-text", "01000001\r\n00001010 00001101\n00011010", "o", "", 0, "A\n\r\x1A"},
    {"encode", "", "o", usageError("unknown command 'encode'"), 2},
    {"text-to-binary a.txt", "A", ">>a.txt", cannotRead("a.txt", kOwn), 1, "A", ""},
    {"binary-to-text -", "01000001", ">>a.txt", cannotRead("<stdin>", kOwn), 1, "01000001"},
    {"text-to-binary a.txt -", "A", "o", cannotRead("<stdin>", "Bad file descriptor"), 1,
     "01000001\n", ""},
    {"number-to-binary", kLarge, "o", kTooLong, 1},
    {"binary-to-text --window-rules", kLarge, "pipe", "", 1}};

} // namespace glyphmill::test
