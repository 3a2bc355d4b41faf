#pragma once

#include "codec/digit_lines.h"

#include <string>
#include <vector>

namespace glyphmill::convert {

enum class Command { TextToBinary, BinaryToText, NumberToBinary, Help, Version };

// How the text commands take text: as bytes, each its own code, or as UTF-8
// characters, each written as its Windows-1252 code (as the window does).
enum class Encoding { Bytes, Utf8 };

// What the arguments ask for. An argument list the tool does not understand
// gives a usage error instead.
struct CommandLine {
    Command command = Command::Help;
    // binary-to-text reads by the window's rules instead of taking groups of
    // eight digits between white space.
    bool windowRules = false;
    Encoding encoding = Encoding::Bytes;
    // The layout of text-to-binary.
    DigitSeparator separator = DigitSeparator::Lf;
    // Files for the text commands ("-" is standard input; none means it),
    // numbers for number-to-binary (none: they come from standard input).
    std::vector<std::string> operands;
    // Not empty for a usage error: what is wrong.
    std::string usageError;

    static CommandLine parse(int argc, const char *const *argv);
};

} // namespace glyphmill::convert
