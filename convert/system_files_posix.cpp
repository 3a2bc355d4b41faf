#include "convert/system_files.h"

#include <cerrno>
#include <initializer_list>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace glyphmill::convert::system_files {
namespace {

// The largest pipe an ordinary user may have by default.
constexpr int kPipeSize = 1024 * 1024;

} // namespace

std::vector<std::string> arguments(int argc, char **argv) {
    return {argv, argv + argc};
}

// A closed standard descriptor would go to the first file the tool opens,
// which "-" would then read as standard input, or the output would write into.
// A placeholder that can be neither read nor written keeps each one taken, so
// that using it fails as using the closed one does ("Bad file descriptor").
// Ctrl+C, SIGHUP and a closed pipe keep their default actions.
void prepareStandardStreams() {
    for (const int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (::fcntl(fd, F_GETFD) < 0 && errno == EBADF)
            ::open("/dev/null", O_PATH | O_CLOEXEC);
    }
}

int openForReading(const std::string &name) {
    return ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
}

std::ptrdiff_t readSome(int fd, void *buffer, std::size_t size) {
    return ::read(fd, buffer, size);
}

std::ptrdiff_t writeSome(int fd, const void *data, std::size_t size) {
    return ::write(fd, data, size);
}

int closeFile(int fd) {
    return ::close(fd);
}

void readSequentially(int fd) {
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    // Fewer, larger reads from a pipe; where the system refuses, the pipe
    // stays as it is.
    struct stat status {};
    if (::fstat(fd, &status) == 0 && S_ISFIFO(status.st_mode))
        ::fcntl(fd, F_SETPIPE_SZ, kPipeSize);
}

std::optional<FileIdentity> identityOf(int fd) {
    struct stat status {};
    if (::fstat(fd, &status) != 0)
        return std::nullopt;
    return FileIdentity{status.st_dev, status.st_ino};
}

// A file, or the output pipe reopened by name (/dev/stdout, /proc/self/fd/1),
// hands back what the tool writes. What goes to a terminal, /dev/null or a
// socket never comes back, even where the same one is also the input.
std::optional<FileIdentity> readBackIdentityOf(int fd) {
    struct stat status {};
    if (::fstat(fd, &status) != 0 ||
        !(S_ISREG(status.st_mode) || S_ISFIFO(status.st_mode) || S_ISBLK(status.st_mode)))
        return std::nullopt;
    return FileIdentity{status.st_dev, status.st_ino};
}

void writeMessage(int fd, const std::string &text) {
    const char *bytes = text.data();
    std::size_t size = text.size();
    while (size > 0) {
        const ssize_t written = ::write(fd, bytes, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return;
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
}

} // namespace glyphmill::convert::system_files
