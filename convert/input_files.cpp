#include "convert/input_files.h"

#include "convert/exit_status.h"

#include <cerrno>
#include <cstring>

namespace glyphmill::convert {

InputFiles::InputFiles(std::vector<std::string> names, const Streams &streams)
    : m_names(std::move(names))
    , m_streams(streams)
    , m_output(system_files::readBackIdentityOf(streams.output)) {
    if (m_names.empty())
        m_names.emplace_back("-");
}

InputFiles::~InputFiles() {
    closeCurrent();
}

void InputFiles::closeCurrent() {
    if (m_fd >= 0 && m_fd != m_streams.input)
        system_files::closeFile(m_fd);
    m_fd = -1;
}

void InputFiles::report(const std::string &name, const char *reason) {
    system_files::writeMessage(m_streams.errors,
                               std::string(kToolName) + ": " + name + ": " + reason + "\n");
    m_failed = true;
}

// What goes to a terminal or a null device never comes back, even where the
// same one is also the input.
bool InputFiles::isOutput(int fd) const {
    return m_output && system_files::identityOf(fd) == m_output;
}

bool InputFiles::openNext() {
    closeCurrent();
    while (m_next < m_names.size()) {
        const std::string &name = m_names[m_next++];
        const bool standardInput = name == "-";
        const std::string displayName = standardInput ? "<stdin>" : name;
        const int fd = standardInput ? m_streams.input : system_files::openForReading(name);
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
        system_files::readSequentially(fd);
        return true;
    }
    return false;
}

std::span<const std::uint8_t> InputFiles::next(std::uint8_t *buffer, std::size_t size) {
    while (m_fd >= 0) {
        const std::ptrdiff_t got = system_files::readSome(m_fd, buffer, size);
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
