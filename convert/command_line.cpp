#include "convert/command_line.h"

#include <string_view>
#include <utility>

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

constexpr std::pair<std::string_view, DigitSeparator> kSeparatorNames[] = {
    {"crlf", DigitSeparator::CrLf},
    {"lf", DigitSeparator::Lf},
    {"space", DigitSeparator::Space},
    {"none", DigitSeparator::None}};
constexpr std::string_view kSeparatorChoice = ": NAME is crlf, lf, space or none";

// The separator of "--separator=NAME", "--separator NAME", "-s NAME" or
// "-sNAME" at argv[at], which moves past a NAME of its own; a usage error when
// there is no such NAME.
std::string separatorOption(int argc, const char *const *argv, int &at, DigitSeparator &separator) {
    const std::string_view argument = argv[at];
    std::string_view name;
    if (argument.starts_with("--separator="))
        name = argument.substr(argument.find('=') + 1);
    else if (argument.starts_with("-s") && argument.size() > 2)
        name = argument.substr(2);
    else if (at + 1 < argc)
        name = argv[++at];
    else
        return quoted("option ", argument, " needs a NAME").append(kSeparatorChoice);
    for (const auto &[known, value] : kSeparatorNames) {
        if (name == known) {
            separator = value;
            return {};
        }
    }
    return quoted("unknown separator ", name, kSeparatorChoice);
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
        } else if (command == Command::TextToBinary &&
                   (argument == "--separator" || argument.starts_with("--separator=") ||
                    argument.starts_with("-s"))) {
            if (std::string error = separatorOption(argc, argv, i, line.separator); !error.empty())
                return refused(std::move(error));
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
