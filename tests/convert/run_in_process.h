#pragma once

#include "convert/tool.h"

#include <string>
#include <vector>

#include <sys/mman.h>
#include <unistd.h>

namespace glyphmill::test {

struct InProcessRun {
    std::string out;
    std::string err;
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
    if (::write(streams.input, input.data(), input.size()) != ssize_t(input.size()))
        return {};
    ::lseek(streams.input, 0, SEEK_SET);
    InProcessRun run;
    run.status = convert::runTool(static_cast<int>(argv.size()), argv.data(), streams,
                                  {bufferSize, bufferSize});
    for (const auto &[fd, text] :
         {std::pair(streams.output, &run.out), {streams.errors, &run.err}}) {
        char bytes[4096];
        ::lseek(fd, 0, SEEK_SET);
        for (ssize_t got; (got = ::read(fd, bytes, sizeof bytes)) > 0;)
            text->append(bytes, static_cast<std::size_t>(got));
    }
    for (const int fd : {streams.input, streams.output, streams.errors})
        ::close(fd);
    return run;
}

} // namespace glyphmill::test
