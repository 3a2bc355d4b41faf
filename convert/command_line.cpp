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

template <typename Value> struct Name {
    std::string_view name;
    Value value;
};

constexpr Name<DigitSeparator> kSeparatorNames[] = {{"crlf", DigitSeparator::CrLf},
                                                    {"lf", DigitSeparator::Lf},
                                                    {"space", DigitSeparator::Space},
                                                    {"none", DigitSeparator::None}};
constexpr Name<Encoding> kEncodingNames[] = {{"bytes", Encoding::Bytes}, {"utf-8", Encoding::Utf8}};

// An option that takes a NAME: "--long=NAME", "--long NAME", and where it has
// a short form "-s NAME" or "-sNAME". Whether argv[at] is such an option.
bool isNamedOption(std::string_view argument, std::string_view longName,
                   std::string_view shortName) {
    return argument == longName || argument.starts_with(std::string(longName) + "=") ||
           (!shortName.empty() && argument.starts_with(shortName));
}

// The value of the option at argv[at], which moves past a NAME of its own; a
// usage error when there is no such NAME or it is not one of `names`.
template <typename Value, std::size_t count>
std::string namedOption(int argc, const char *const *argv, int &at, std::string_view shortName,
                        const Name<Value> (&names)[count], std::string_view what, Value &value) {
    const std::string_view argument = argv[at];
    std::string choice = std::string(": NAME is ");
    for (std::size_t i = 0; i < count; ++i)
        choice.append(i == 0 ? "" : i + 1 == count ? " or " : ", ").append(names[i].name);
    std::string_view name;
    if (argument.starts_with("--") && argument.find('=') != argument.npos)
        name = argument.substr(argument.find('=') + 1);
    else if (!shortName.empty() && argument.starts_with(shortName) &&
             argument.size() > shortName.size())
        name = argument.substr(shortName.size());
    else if (at + 1 < argc)
        name = argv[++at];
    else
        return quoted("option ", argument, " needs a NAME").append(choice);
    for (const auto &known : names) {
        if (name == known.name) {
            value = known.value;
            return {};
        }
    }
    return quoted(std::string("unknown ").append(what).append(" "), name, choice);
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
        } else if (command == Command::BinaryToText &&
                   (argument == "--strict" || argument == "--window-rules")) {
            line.windowRules = argument == "--window-rules";
        } else if (command != Command::NumberToBinary &&
                   isNamedOption(argument, "--encoding", {})) {
            if (std::string error =
                    namedOption(argc, argv, i, {}, kEncodingNames, "encoding", line.encoding);
                !error.empty())
                return refused(std::move(error));
        } else if (command == Command::TextToBinary &&
                   isNamedOption(argument, "--separator", "-s")) {
            if (std::string error =
                    namedOption(argc, argv, i, "-s", kSeparatorNames, "separator", line.separator);
                !error.empty())
                return refused(std::move(error));
        } else {
            return refused(quoted("unknown option ", argument, std::string(" for ").append(first)));
        }
    }
    if (line.command == Command::Help || line.command == Command::Version) {
        CommandLine plain;
        plain.command = line.command;
        return plain;
    }
    return line;
}

} // namespace glyphmill::convert
