#include "input_files.h"

#include "exit_status.h"

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

InputFiles::InputFiles(std::vector<std::string> names, bool mapRegularFiles)
    : m_names(std::move(names))
    , m_mapRegularFiles(mapRegularFiles) {
    if (m_names.empty())
        m_names.emplace_back("-");
    struct stat output {};
    if (::fstat(STDOUT_FILENO, &output) == 0 && S_ISREG(output.st_mode)) {
        m_outputIsFile = true;
        m_outputDevice = output.st_dev;
        m_outputInode = output.st_ino;
    }
}

InputFiles::~InputFiles() {
    closeCurrent();
}

void InputFiles::closeCurrent() {
    if (m_window.active() && m_fd == STDIN_FILENO) {
        // Standard input is left where the reading stopped, as read() leaves
        // it, for whoever shares it.
        ::lseek(m_fd, m_window.offset(), SEEK_SET);
    }
    m_window.stop();
    if (m_fd > STDIN_FILENO)
        ::close(m_fd);
    m_fd = -1;
}

void InputFiles::report(const std::string &name, const char *reason) {
    std::fprintf(stderr, "%s: %s: %s\n", kToolName, name.c_str(), reason);
    m_failed = true;
}

// Terminals, pipes and /dev/null are never the same file in that sense:
// nothing written to them comes back.
bool InputFiles::isOutputFile(int fd) const {
    struct stat input {};
    return m_outputIsFile && ::fstat(fd, &input) == 0 && S_ISREG(input.st_mode) &&
           input.st_dev == m_outputDevice && input.st_ino == m_outputInode;
}

bool InputFiles::openNext() {
    closeCurrent();
    while (m_next < m_names.size()) {
        const std::string &name = m_names[m_next++];
        const bool standardInput = name == "-";
        const std::string displayName = standardInput ? "<stdin>" : name;
        const int fd = standardInput ? STDIN_FILENO : ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            report(name, std::strerror(errno));
            continue;
        }
        m_fd = fd;
        if (isOutputFile(fd)) {
            report(displayName, "input file is output file");
            closeCurrent();
            continue;
        }
        m_displayName = displayName;
        if (!m_mapRegularFiles ||
            !m_window.start(fd, standardInput ? ::lseek(fd, 0, SEEK_CUR) : 0)) {
            ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
            // Fewer, larger reads from a pipe; where the system refuses, the
            // pipe stays as it is.
            struct stat status {};
            if (::fstat(fd, &status) == 0 && S_ISFIFO(status.st_mode))
                ::fcntl(fd, F_SETPIPE_SZ, kPipeSize);
        }
        return true;
    }
    return false;
}

std::span<const std::uint8_t> InputFiles::next(std::uint8_t *buffer, std::size_t size) {
    if (m_fd < 0)
        return {};
    if (m_window.active()) {
        const auto piece = m_window.next(size);
        if (!piece.empty())
            return piece;
        // Past the mapping, read() goes on: it finds the true end, or what
        // is left of a file that shrank.
        const off_t offset = m_window.offset();
        m_window.stop();
        if (::lseek(m_fd, offset, SEEK_SET) < 0) {
            report(m_displayName, std::strerror(errno));
            closeCurrent();
            return {};
        }
    }
    return {buffer, readInto(buffer, size)};
}

std::size_t InputFiles::readInto(std::uint8_t *buffer, std::size_t size) {
    for (;;) {
        const ssize_t got = ::read(m_fd, buffer, size);
        if (got >= 0) {
            if (got == 0)
                closeCurrent();
            return static_cast<std::size_t>(got);
        }
        if (errno == EINTR)
            continue;
        report(m_displayName, std::strerror(errno));
        closeCurrent();
        return 0;
    }
}

} // namespace glyphmill::convert
