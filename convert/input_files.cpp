#include "convert/input_files.h"

#include "convert/exit_status.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace glyphmill::convert {
namespace {

// The largest pipe an ordinary user may have by default.
constexpr int kPipeSize = 1024 * 1024;

} // namespace

InputFiles::InputFiles(std::vector<std::string> names, const Streams &streams)
    : m_names(std::move(names))
    , m_streams(streams) {
    if (m_names.empty())
        m_names.emplace_back("-");
    struct stat output {};
    if (::fstat(m_streams.output, &output) == 0 &&
        (S_ISREG(output.st_mode) || S_ISFIFO(output.st_mode) || S_ISBLK(output.st_mode))) {
        m_outputReadsBack = true;
        m_outputDevice = output.st_dev;
        m_outputInode = output.st_ino;
    }
}

InputFiles::~InputFiles() {
    closeCurrent();
}

void InputFiles::closeCurrent() {
    if (m_fd >= 0 && m_fd != m_streams.input)
        ::close(m_fd);
    m_fd = -1;
}

void InputFiles::report(const std::string &name, const char *reason) {
    ::dprintf(m_streams.errors, "%s: %s: %s\n", kToolName, name.c_str(), reason);
    m_failed = true;
}

// A file, or the output pipe reopened by name (/dev/stdout, /proc/self/fd/1),
// hands back what the tool writes. What goes to a terminal, /dev/null or a
// socket never comes back, even where the same one is also the input.
bool InputFiles::isOutput(int fd) const {
    struct stat input {};
    return m_outputReadsBack && ::fstat(fd, &input) == 0 && input.st_dev == m_outputDevice &&
           input.st_ino == m_outputInode;
}

bool InputFiles::openNext() {
    closeCurrent();
    while (m_next < m_names.size()) {
        const std::string &name = m_names[m_next++];
        const bool standardInput = name == "-";
        const std::string displayName = standardInput ? "<stdin>" : name;
        const int fd = standardInput ? m_streams.input : ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            report(name, std::strerror(errno));
            continue;
        }
        m_fd = fd;
        if (isOutput(fd)) {
            report(displayName, "input file is output file");
            closeCurrent();
            continue;
        }
        m_displayName = displayName;
        ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
        // Fewer, larger reads from a pipe; where the system refuses, the
        // pipe stays as it is.
        struct stat status {};
        if (::fstat(fd, &status) == 0 && S_ISFIFO(status.st_mode))
            ::fcntl(fd, F_SETPIPE_SZ, kPipeSize);
        return true;
    }
    return false;
}

std::span<const std::uint8_t> InputFiles::next(std::uint8_t *buffer, std::size_t size) {
    while (m_fd >= 0) {
        const ssize_t got = ::read(m_fd, buffer, size);
        if (got > 0)
            return {buffer, static_cast<std::size_t>(got)};
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            report(m_displayName, std::strerror(errno));
        closeCurrent();
    }
    return {};
}

} // namespace glyphmill::convert
