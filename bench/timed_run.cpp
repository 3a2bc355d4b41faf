// Runs a command and writes to FILE its wall-clock seconds, its processor
// seconds in user mode and in the system, and its peak memory in KiB, to the microsecond,
// where GNU time rounds to hundredths; the command's own exit status is
// passed on. For compare_with_basenc.sh.
// Usage: timed_run FILE COMMAND [ARGUMENT...]
#include <chrono>
#include <cstdio>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

int main(int argc, char *argv[]) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: timed_run FILE COMMAND [ARGUMENT...]\n");
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = ::fork();
    if (child == 0) {
        ::execvp(argv[2], argv + 2);
        ::_exit(127);
    }
    int status = 0;
    rusage usage{};
    if (child < 0 || ::wait4(child, &status, 0, &usage) < 0)
        return 2;
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const auto seconds = [](const timeval &time) {
        return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
    };
    std::FILE *out = std::fopen(argv[1], "w");
    if (!out)
        return 2;
    std::fprintf(out, "%.6f,%.6f,%.6f,%ld\n", wall, seconds(usage.ru_utime),
                 seconds(usage.ru_stime), usage.ru_maxrss);
    std::fclose(out);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}
