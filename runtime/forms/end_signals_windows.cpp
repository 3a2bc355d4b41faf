#include "runtime/forms/end_signals.h"

#include "runtime/forms/event_dispatch.h"

#include <QGuiApplication>
#include <QObject>
#include <QSessionManager>

namespace glyphmill {

// Windows asks every program whether the session may end (logging off,
// shutting down) and ends those still running once all have answered. The
// window has nothing to save: it ends at the question, as "Exit" ends it,
// rather than being ended from outside with its windows on the screen.
class EndSignals::Watch {
  public:
    Watch() {
        QObject::connect(qGuiApp, &QGuiApplication::commitDataRequest, &m_receiver,
                         [this](QSessionManager &) {
                             if (m_ended)
                                 return;
                             m_ended = true;
                             EventDispatch::endProgram();
                         });
    }

  private:
    QObject m_receiver;
    bool m_ended = false;
};

EndSignals::EndSignals()
    : m_watch(std::make_unique<Watch>()) {}

EndSignals::~EndSignals() = default;

// The session's end leaves with the status "Exit" leaves with.
int EndSignals::caught() const {
    return 0;
}

void EndSignals::raiseAgain(int) {}

} // namespace glyphmill
