#include "input_files.h"

#include "exit_status.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace glyphmill::convert {

InputFiles::InputFiles(std::vector<std::string> names)
    : m_names(std::move(names)) {
    if (m_names.empty())
        m_names.emplace_back("-");
}

InputFiles::~InputFiles() {
    closeCurrent();
}

void InputFiles::closeCurrent() {
    if (m_fd > STDIN_FILENO)
        ::close(m_fd);
    m_fd = -1;
}

void InputFiles::report(const std::string &name, int error) {
    std::fprintf(stderr, "%s: %s: %s\n", kToolName, name.c_str(), std::strerror(error));
    m_failed = true;
}

bool InputFiles::openNext() {
    closeCurrent();
    while (m_next < m_names.size()) {
        const std::string &name = m_names[m_next++];
        if (name == "-") {
            m_fd = STDIN_FILENO;
            m_displayName = "<stdin>";
            return true;
        }
        const int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            report(name, errno);
            continue;
        }
        ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
        m_fd = fd;
        m_displayName = name;
        return true;
    }
    return false;
}

std::size_t InputFiles::read(std::uint8_t *buffer, std::size_t size) {
    if (m_fd < 0)
        return 0;
    for (;;) {
        const ssize_t got = ::read(m_fd, buffer, size);
        if (got >= 0) {
            if (got == 0)
                closeCurrent();
            return static_cast<std::size_t>(got);
        }
        if (errno == EINTR)
            continue;
        report(m_displayName, errno);
        closeCurrent();
        return 0;
    }
}

} // namespace glyphmill::convert
