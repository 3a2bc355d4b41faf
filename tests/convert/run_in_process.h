#pragma once

#include "convert/tool.h"
#include "tests/support/temp_folder.h"

#include <fstream>
#include <string>
#include <vector>

#include <sys/mman.h>
#include <unistd.h>

namespace glyphmill::test {

struct InProcessRun {
    std::string out, err;
    int status = -1;
};

// The tool's library on an argument list, in this process: "-" reads
// `input`, and the output and the messages are kept apart, each in a file
// of its own in memory. `bufferSize` bytes are read at a time.
inline InProcessRun runInProcess(const std::vector<std::string> &arguments,
                                 const std::string &input, std::size_t bufferSize) {
    std::vector<const char *> argv{"glyphmill-convert"};
    for (const std::string &argument : arguments)
        argv.push_back(argument.c_str());
    const convert::Streams streams{::memfd_create("in", MFD_CLOEXEC),
                                   ::memfd_create("out", MFD_CLOEXEC),
                                   ::memfd_create("err", MFD_CLOEXEC)};
    // Written through a file description of its own: the input's stays at the start.
    std::ofstream("/proc/self/fd/" + std::to_string(streams.input), std::ios::binary) << input;
    InProcessRun run;
    run.status = convert::runTool(static_cast<int>(argv.size()), argv.data(), streams,
                                  {bufferSize, bufferSize});
    // Opened afresh by its name, each file is read from its start.
    run.out = TempFolder::read("/proc/self/fd/" + std::to_string(streams.output));
    run.err = TempFolder::read("/proc/self/fd/" + std::to_string(streams.errors));
    for (const int fd : {streams.input, streams.output, streams.errors})
        ::close(fd);
    return run;
}

} // namespace glyphmill::test
