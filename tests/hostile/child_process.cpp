#include "child_process.h"

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <cerrno>
#include <stdexcept>
#include <system_error>

extern char **environ;

namespace glyphmill::test {

ChildProcess::ChildProcess(const std::vector<std::string> &arguments, int input, int output,
                           int error) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, input, 0);
    posix_spawn_file_actions_adddup2(&actions, output, 1);
    posix_spawn_file_actions_adddup2(&actions, error, 2);
    // The child starts with every signal at its default (SIGPIPE above all,
    // which a test may ignore for itself).
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t all;
    sigfillset(&all);
    posix_spawnattr_setsigdefault(&attributes, &all);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
    std::vector<char *> argv;
    for (const std::string &argument : arguments)
        argv.push_back(const_cast<char *>(argument.c_str()));
    argv.push_back(nullptr);
    const int failed = posix_spawnp(&m_pid, argv[0], &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (failed != 0)
        throw std::system_error(failed, std::generic_category(), arguments.front());
}

ChildProcess::~ChildProcess() {
    if (m_pid > 0)
        wait();
}

ChildProcess::Outcome ChildProcess::wait() {
    Outcome outcome;
    int status = 0;
    rusage usage{};
    pid_t waited = -1;
    do {
        waited = wait4(m_pid, &status, 0, &usage);
    } while (waited < 0 && errno == EINTR);
    m_pid = -1;
    if (waited < 0)
        throw std::system_error(errno, std::generic_category(), "wait4");
    if (WIFEXITED(status))
        outcome.status = WEXITSTATUS(status);
    else if (WIFSIGNALED(status))
        outcome.signal = WTERMSIG(status);
    outcome.peakMemoryKiB = usage.ru_maxrss;
    return outcome;
}

} // namespace glyphmill::test
