#include "convert/buffer_sizes.h"
#include "convert/output_stream.h"
#include "convert/tool.h"

#include <cerrno>
#include <initializer_list>

#include <fcntl.h>
#include <unistd.h>

namespace {

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

} // namespace

int main(int argc, char *argv[]) {
    using namespace glyphmill::convert;
    holdClosedStandardDescriptors();
    const Streams streams;
    return closeOutput(
        streams, runTool(argc, argv, streams, BufferSizes{kEncodeBufferSize, kDecodeBufferSize}));
}
