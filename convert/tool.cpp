#include "convert/tool.h"

#include "convert/command_line.h"
#include "convert/conversions.h"
#include "convert/exit_status.h"
#include "convert/help_text.h"
#include "convert/number_lines.h"
#include "convert/output_stream.h"
#include "convert/system_files.h"

#include "glyphmill_version.h"

#include <string>

namespace glyphmill::convert {
namespace {

int writeText(const Streams &streams, const std::string &text) {
    OutputStream output(streams);
    return output.write(text.data(), text.size()) ? kExitSuccess : kExitFailure;
}

} // namespace

int runTool(int argc, const char *const *argv, const Streams &streams, BufferSizes sizes) {
    const CommandLine line = CommandLine::parse(argc, argv);
    if (!line.usageError.empty()) {
        system_files::writeMessage(streams.errors, std::string(kToolName) + ": " + line.usageError +
                                                       "\n" + usageText() + "Try '" + kToolName +
                                                       " --help' for more information.\n");
        return kExitUsage;
    }
    switch (line.command) {
    case Command::Help:
        return writeText(streams, helpText());
    case Command::Version:
        return writeText(streams, std::string(kToolName) + " " + kVersionText + "\n");
    case Command::TextToBinary:
        return runTextToBinary(line, streams, sizes.encode);
    case Command::BinaryToText:
        return runBinaryToText(line, streams, sizes.decode);
    case Command::NumberToBinary:
        return runNumberToBinary(line.operands, streams);
    }
    return kExitUsage;
}

} // namespace glyphmill::convert
