#include "convert/output_stream.h"

#include "convert/exit_status.h"
#include "convert/system_files.h"

#include <cerrno>
#include <cstring>
#include <string>

namespace glyphmill::convert {
namespace {

void reportOutputFault(const Streams &streams) {
    system_files::writeMessage(streams.errors, std::string(kToolName) +
                                                   ": <stdout>: " + std::strerror(errno) + "\n");
}

} // namespace

bool OutputStream::write(const void *data, std::size_t size) {
    const auto *bytes = static_cast<const char *>(data);
    while (!m_failed && size > 0) {
        const std::ptrdiff_t written = system_files::writeSome(m_streams.output, bytes, size);
        if (written > 0) {
            bytes += written;
            size -= static_cast<std::size_t>(written);
            continue;
        }
        if (written < 0 && errno == EINTR)
            continue;
        if (written == 0)
            errno = EIO;
        // With SIGPIPE ignored, and on systems without it, the closed pipe
        // shows up here; it ends the tool as quietly as the signal would.
        if (errno != EPIPE)
            reportOutputFault(m_streams);
        m_failed = true;
    }
    return !m_failed;
}

int closeOutput(const Streams &streams, int status) {
    // A descriptor closed before the run was reported by the write that met
    // it, if any; with nothing written it is no fault, as for cat.
    if (system_files::closeFile(streams.output) == 0 || errno == EBADF)
        return status;
    reportOutputFault(streams);
    return kExitFailure;
}

} // namespace glyphmill::convert
