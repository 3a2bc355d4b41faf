#include "tests/support/child_process.h"

#include "tests/support/temp_folder.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace glyphmill::test {

RunResult runProgram(std::vector<std::string> arguments, const std::string &input,
                     const std::string &output) {
    const TempFolder folder;
    const bool closedPipe = output == kClosedPipe;
    int pipeEnds[2] = {-1, -1};
    if (closedPipe && ::pipe2(pipeEnds, O_CLOEXEC) == 0)
        ::close(pipeEnds[0]);
    const int files[] = {::open(folder.write("in", input).c_str(), O_RDONLY | O_CLOEXEC),
                         closedPipe ? pipeEnds[1]
                                    : ::open((output.empty() ? folder.path("out") : output).c_str(),
                                             O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600),
                         ::open(folder.path("err").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600)};
    std::vector<char *> argv{nullptr};
    for (std::string &argument : arguments)
        argv.insert(argv.end() - 1, argument.data());
    const pid_t pid = ::fork();
    if (pid == 0) {
        for (int fd = 0; fd < 3; ++fd)
            ::dup2(files[fd], fd);
        ::signal(SIGPIPE, closedPipe ? SIG_IGN : SIG_DFL);
        ::execvp(argv[0], argv.data());
        ::_exit(127);
    }
    for (const int file : files)
        ::close(file);
    int status = 0;
    rusage usage{};
    while (::wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, usage.ru_maxrss,
            output.empty() ? TempFolder::read(folder.path("out")) : "",
            TempFolder::read(folder.path("err"))};
}

} // namespace glyphmill::test
