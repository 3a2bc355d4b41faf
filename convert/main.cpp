#include "convert/buffer_sizes.h"
#include "convert/output_stream.h"
#include "convert/system_files.h"
#include "convert/tool.h"

#include <string>
#include <vector>

int main(int argc, char *argv[]) {
    using namespace glyphmill::convert;
    system_files::prepareStandardStreams();
    const std::vector<std::string> arguments = system_files::arguments(argc, argv);
    std::vector<const char *> pointers;
    for (const std::string &argument : arguments)
        pointers.push_back(argument.c_str());
    const Streams streams;
    return closeOutput(streams, runTool(static_cast<int>(pointers.size()), pointers.data(), streams,
                                        BufferSizes{kEncodeBufferSize, kDecodeBufferSize}));
}
