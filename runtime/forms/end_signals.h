#pragma once

#include <memory>

namespace glyphmill {

// The system ending the program from outside ends it as "Exit" does, so that
// it goes down its usual road. On Linux these are SIGTERM and SIGHUP (the
// session ending, a terminal going away); the signal is raised again once the
// application object is gone, and the process then ends with the status the
// signal gives. On Windows it is the session ending (logging off, shutting
// down). Needs the application object. Each system has a file of its own
// (end_signals_posix.cpp, end_signals_windows.cpp), chosen by the build.
class EndSignals {
  public:
    EndSignals();
    ~EndSignals();
    EndSignals(const EndSignals &) = delete;
    EndSignals &operator=(const EndSignals &) = delete;

    // The signal that ended the program; 0 when none did.
    int caught() const;
    // Ends the process by the signal's default action.
    static void raiseAgain(int signal);

  private:
    class Watch;
    std::unique_ptr<Watch> m_watch;
};

} // namespace glyphmill
