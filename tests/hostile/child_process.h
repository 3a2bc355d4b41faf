#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace glyphmill::test {

// A program started with its standard streams on given file descriptors,
// waited for with the resources it used.
class ChildProcess {
  public:
    struct Outcome {
        int status = -1; // the exit status; -1 when a signal ended it
        int signal = 0;  // the signal that ended it, 0 for none
        long peakMemoryKiB = 0;
    };

    // Starts `arguments[0]` (looked up on PATH when it has no slash) with
    // standard input, output and error on the given descriptors. The
    // descriptors stay open here: close yours when the child should see the
    // end of a pipe. Open every descriptor close-on-exec, so that no child
    // holds the other end of a pipe of its own.
    ChildProcess(const std::vector<std::string> &arguments, int input, int output, int error);
    ~ChildProcess();
    ChildProcess(const ChildProcess &) = delete;
    ChildProcess &operator=(const ChildProcess &) = delete;

    Outcome wait();

  private:
    pid_t m_pid = -1;
};

} // namespace glyphmill::test
