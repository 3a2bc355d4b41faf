#pragma once

#include "codec/digit_lines.h"

#include <string>
#include <vector>

namespace glyphmill::convert {

enum class Command { TextToBinary, BinaryToText, NumberToBinary, Help, Version };

// What the arguments ask for. An argument list the tool does not understand
// gives a usage error instead.
struct CommandLine {
    Command command = Command::Help;
    bool strict = false;
    // The layout of text-to-binary.
    DigitSeparator separator = DigitSeparator::CrLf;
    // Files for the text commands ("-" is standard input; none means it),
    // numbers for number-to-binary.
    std::vector<std::string> operands;
    // Not empty for a usage error: what is wrong.
    std::string usageError;

    static CommandLine parse(int argc, const char *const *argv);
};

} // namespace glyphmill::convert
