#pragma once

#include "convert/tool.h"
#include "tests/support/temp_folder.h"

#include <cstdio>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace glyphmill::test {

struct InProcessRun {
    std::string out, err;
    int status = -1;
};

// The tool's library on an argument list, in this process: "-" reads
// `input`, and the output and the messages are kept apart, each in a file
// of its own. `bufferSize` bytes are read at a time; the input is opened
// for reading, unless `inputMode` says otherwise.
inline InProcessRun runInProcess(const std::vector<std::string> &arguments,
                                 const std::string &input, std::size_t bufferSize,
                                 const char *inputMode = "rb") {
    std::vector<const char *> argv{"glyphmill-convert"};
    for (const std::string &argument : arguments)
        argv.push_back(argument.c_str());
    // One folder for every run of the process: the files are made afresh each time.
    static const TempFolder folder;
    constexpr auto closeFile = [](std::FILE *file) { std::fclose(file); };
    using File = std::unique_ptr<std::FILE, decltype(closeFile)>;
    File in(std::fopen(folder.write("in", input).c_str(), inputMode));
    File out(std::fopen(folder.path("out").c_str(), "wb"));
    File err(std::fopen(folder.path("err").c_str(), "wb"));
    const convert::Streams streams{fileno(in.get()), fileno(out.get()), fileno(err.get())};
    const int status = convert::runTool(static_cast<int>(argv.size()), argv.data(), streams,
                                        {bufferSize, bufferSize});
    for (File *file : {&in, &out, &err})
        file->reset();
    return {TempFolder::read(folder.path("out")), TempFolder::read(folder.path("err")), status};
}

} // namespace glyphmill::test
