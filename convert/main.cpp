#include "command_line.h"
#include "conversions.h"
#include "exit_status.h"
#include "help_text.h"
#include "output_stream.h"

#include "glyphmill_version.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include <fcntl.h>
#include <unistd.h>

namespace {

using namespace glyphmill::convert;

// Bytes read at a time. The decoder reads more at once: its input shrinks
// eightfold, while text-to-binary's output grows tenfold and should stay in
// the processor's cache.
constexpr std::size_t kEncodeBuffer = 64 * 1024;
constexpr std::size_t kDecodeBuffer = 256 * 1024;
constexpr std::size_t kLargestBuffer = 16 * 1024 * 1024;

// GLYPHMILL_CONVERT_BUFFER (undocumented) shrinks the buffer, which puts
// piece boundaries where a check of the decoder wants them.
std::size_t bufferSize(std::size_t standard) {
    const char *setting = std::getenv("GLYPHMILL_CONVERT_BUFFER");
    if (!setting)
        return standard;
    const std::string_view text(setting);
    std::size_t size = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), size);
    if (error != std::errc() || end != text.data() + text.size() || size == 0 ||
        size > kLargestBuffer)
        return standard;
    return size;
}

// A closed standard descriptor would go to the first file the tool opens,
// which "-" would then read as standard input, or the output would write into.
// A placeholder that can be neither read nor written keeps each one taken, so
// that using it fails as using the closed one does ("Bad file descriptor").
void holdClosedStandardDescriptors() {
    for (const int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (::fcntl(fd, F_GETFD) < 0 && errno == EBADF)
            ::open("/dev/null", O_PATH | O_CLOEXEC);
    }
}

int writeText(const std::string &text) {
    OutputStream output;
    return output.write(text.data(), text.size()) ? kExitSuccess : kExitFailure;
}

} // namespace

int main(int argc, char *argv[]) {
    holdClosedStandardDescriptors();
    const CommandLine line = CommandLine::parse(argc, argv);
    if (!line.usageError.empty()) {
        std::fprintf(stderr, "%s: %s\n%sTry '%s --help' for more information.\n", kToolName,
                     line.usageError.c_str(), usageText().c_str(), kToolName);
        return kExitUsage;
    }
    switch (line.command) {
    case Command::Help:
        return writeText(helpText());
    case Command::Version:
        return writeText(std::string(kToolName) + " " + glyphmill::kVersionText + "\n");
    case Command::TextToBinary:
        return runTextToBinary(line.operands, bufferSize(kEncodeBuffer));
    case Command::BinaryToText:
        return runBinaryToText(line.operands, line.strict, bufferSize(kDecodeBuffer));
    case Command::NumberToBinary:
        return runNumberToBinary(line.operands);
    }
    return kExitUsage;
}
