#include "convert/command_line.h"

#include <string_view>

namespace glyphmill::convert {
namespace {

CommandLine refused(std::string message) {
    CommandLine line;
    line.usageError = std::move(message);
    return line;
}

// Built by appending: GCC 12 warns falsely about `"'" + std::string(...)`.
std::string quoted(std::string_view before, std::string_view word, std::string_view after = {}) {
    std::string text(before);
    text.append("'").append(word).append("'").append(after);
    return text;
}

bool commandNamed(std::string_view name, Command &command) {
    if (name == "text-to-binary")
        command = Command::TextToBinary;
    else if (name == "binary-to-text")
        command = Command::BinaryToText;
    else if (name == "number-to-binary")
        command = Command::NumberToBinary;
    else
        return false;
    return true;
}

} // namespace

CommandLine CommandLine::parse(int argc, const char *const *argv) {
    if (argc < 2)
        return refused("no command given");
    const std::string_view first = argv[1];
    CommandLine line;
    if (first == "--help" || first == "--version") {
        if (argc > 2)
            return refused(quoted("", first, " takes no arguments"));
        line.command = first == "--help" ? Command::Help : Command::Version;
        return line;
    }
    if (!commandNamed(first, line.command)) {
        return refused(
            quoted(first.starts_with("-") ? "unknown option " : "unknown command ", first));
    }
    const Command command = line.command;
    const bool numbers = command == Command::NumberToBinary;
    bool optionsEnded = false;
    for (int i = 2; i < argc; ++i) {
        const std::string_view argument = argv[i];
        // "-" alone names standard input; for number-to-binary a single dash
        // starts a (negative) number, so only "--" words are options there.
        const bool option =
            !optionsEnded && argument.size() > 1 && argument.starts_with(numbers ? "--" : "-");
        if (!option) {
            line.operands.emplace_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "--help") {
            line.command = Command::Help;
        } else if (argument == "--version") {
            line.command = Command::Version;
        } else if (argument == "--strict" && command == Command::BinaryToText) {
            line.strict = true;
        } else {
            return refused(quoted("unknown option ", argument, std::string(" for ").append(first)));
        }
    }
    if (line.command == Command::Help || line.command == Command::Version) {
        line.operands.clear();
        line.strict = false;
        return line;
    }
    if (numbers && line.operands.empty())
        return refused("number-to-binary needs at least one NUMBER");
    return line;
}

} // namespace glyphmill::convert
