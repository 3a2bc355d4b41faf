#include "convert/output_stream.h"

#include "convert/exit_status.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace glyphmill::convert {

bool OutputStream::write(const void *data, std::size_t size) {
    const auto *bytes = static_cast<const char *>(data);
    while (!m_failed && size > 0) {
        const ssize_t written = ::write(m_streams.output, bytes, size);
        if (written > 0) {
            bytes += written;
            size -= static_cast<std::size_t>(written);
            continue;
        }
        if (written < 0 && errno == EINTR)
            continue;
        if (written == 0)
            errno = EIO;
        // With SIGPIPE ignored the closed pipe shows up here; it ends the
        // tool as quietly as the signal would.
        if (errno != EPIPE)
            ::dprintf(m_streams.errors, "%s: <stdout>: %s\n", kToolName, std::strerror(errno));
        m_failed = true;
    }
    return !m_failed;
}

int closeOutput(const Streams &streams, int status) {
    // A descriptor closed before the run was reported by the write that met
    // it, if any; with nothing written it is no fault, as for cat.
    if (::close(streams.output) == 0 || errno == EBADF)
        return status;
    ::dprintf(streams.errors, "%s: <stdout>: %s\n", kToolName, std::strerror(errno));
    return kExitFailure;
}

} // namespace glyphmill::convert
