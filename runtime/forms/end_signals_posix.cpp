#include "runtime/forms/end_signals.h"

#include "runtime/forms/event_dispatch.h"

#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace glyphmill {
namespace {

constexpr std::array kSignals{SIGTERM, SIGHUP};

int s_writeEnd = -1;

void setAction(int signal, void (*handler)(int)) {
    struct sigaction action = {};
    action.sa_handler = handler;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    sigaction(signal, &action, nullptr);
}

void handle(int signal) {
    const int savedErrno = errno;
    const char number = char(signal);
    // A full socket drops the byte: a signal is on its way already.
    [[maybe_unused]] const ssize_t written = write(s_writeEnd, &number, 1);
    errno = savedErrno;
}

} // namespace

class EndSignals::Watch {
  public:
    Watch();
    ~Watch();
    Watch(const Watch &) = delete;
    Watch &operator=(const Watch &) = delete;

    int caught() const { return m_caught; }

  private:
    void takeSignal();

    int m_readEnd = -1;
    int m_caught = 0;
    std::unique_ptr<QSocketNotifier> m_notifier;
};

EndSignals::Watch::Watch() {
    // A signal handler may do next to nothing: it writes the signal's number
    // to a socket, and the event loop reads it like any other event. Neither
    // end blocks: a burst of signals while the window is busy fills the socket,
    // and a handler waiting for room would stop the thread that reads it.
    int ends[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, ends) != 0)
        return;
    m_readEnd = ends[0];
    s_writeEnd = ends[1];
    m_notifier = std::make_unique<QSocketNotifier>(m_readEnd, QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, m_notifier.get(),
                     [this] { takeSignal(); });
    for (int signal : kSignals)
        setAction(signal, &handle);
}

EndSignals::Watch::~Watch() {
    if (m_readEnd < 0)
        return;
    for (int signal : kSignals)
        setAction(signal, SIG_DFL);
    m_notifier.reset();
    close(s_writeEnd);
    close(m_readEnd);
    s_writeEnd = -1;
}

void EndSignals::Watch::takeSignal() {
    // Every signal waiting is taken at once; the first one ends the program.
    std::array<char, 256> numbers{};
    while (read(m_readEnd, numbers.data(), numbers.size()) > 0) {
        if (m_caught != 0)
            continue;
        m_caught = numbers[0];
        EventDispatch::endProgram();
    }
}

EndSignals::EndSignals()
    : m_watch(std::make_unique<Watch>()) {}

EndSignals::~EndSignals() = default;

int EndSignals::caught() const {
    return m_watch->caught();
}

void EndSignals::raiseAgain(int signal) {
    setAction(signal, SIG_DFL);
    std::raise(signal);
}

} // namespace glyphmill
