#pragma once

#include "convert/tool.h"
#include "tests/support/temp_folder.h"

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace glyphmill::test {

// The tool's library on an argument list, in this process: "-" reads
// `input`, `bufferSize` bytes at a time, opened for reading unless
// `inputMode` says otherwise. Returns the output followed by the messages
// (each written to a file of its own), and the exit status.
inline std::pair<std::string, int> runInProcess(const std::vector<std::string> &arguments,
                                                const std::string &input, std::size_t bufferSize,
                                                const char *inputMode = "rb") {
    std::vector<const char *> argv{"glyphmill-convert"};
    for (const std::string &argument : arguments)
        argv.push_back(argument.c_str());
    // One folder for every run of the process: the files are made afresh each time.
    static const TempFolder folder;
    std::FILE *files[] = {std::fopen(folder.write("in", input).c_str(), inputMode),
                          std::fopen(folder.path("out").c_str(), "wb"),
                          std::fopen(folder.path("err").c_str(), "wb")};
    const int status = convert::runTool(static_cast<int>(argv.size()), argv.data(),
                                        {fileno(files[0]), fileno(files[1]), fileno(files[2])},
                                        {bufferSize, bufferSize});
    for (std::FILE *file : files)
        std::fclose(file);
    return {TempFolder::read(folder.path("out")) + TempFolder::read(folder.path("err")), status};
}

} // namespace glyphmill::test
