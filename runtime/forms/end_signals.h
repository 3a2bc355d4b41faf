#pragma once

#include <memory>

class QSocketNotifier;

namespace glyphmill {

// SIGTERM and SIGHUP (the session ending, a terminal going away) end the
// program as "Exit" does, so that it goes down its usual road; the signal is
// raised again once the application object is gone, and the process then
// ends with the status the signal gives. Needs the application object.
class EndSignals {
  public:
    EndSignals();
    ~EndSignals();
    EndSignals(const EndSignals &) = delete;
    EndSignals &operator=(const EndSignals &) = delete;

    // The signal that ended the program; 0 when none did.
    int caught() const { return m_caught; }
    // Ends the process by the signal's default action.
    static void raiseAgain(int signal);

  private:
    static void handle(int signal);
    void takeSignal();

    static int s_writeEnd;
    int m_readEnd = -1;
    int m_caught = 0;
    std::unique_ptr<QSocketNotifier> m_notifier;
};

} // namespace glyphmill
