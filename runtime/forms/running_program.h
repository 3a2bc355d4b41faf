#pragma once

#include <functional>
#include <memory>

class QApplication;

namespace glyphmill {

class EndSignals;

// The running program: its application object, the start-up form and the
// event loop. Every way out that comes back here ("Exit", the main window
// closed, an error that ends it, SIGTERM, SIGHUP) takes one road down: the
// windows with their forms, then the signal watch, then the application
// object. An exit() from inside Qt (the X connection breaking) never comes
// back; it destroys none of these, as it leaves a plain Qt program's: Qt
// destroys its own statics in that exit(), so no window could go safely.
class RunningProgram {
  public:
    RunningProgram(int &argc, char **argv);
    ~RunningProgram();
    RunningProgram(const RunningProgram &) = delete;
    RunningProgram &operator=(const RunningProgram &) = delete;

    // Runs the start-up handler, then events until the program ends; returns
    // the status to leave with.
    int run(const std::function<void()> &startUp);

  private:
    std::unique_ptr<QApplication> m_application;
    std::unique_ptr<EndSignals> m_endSignals;
};

} // namespace glyphmill
