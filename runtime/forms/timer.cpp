#include "runtime/forms/timer.h"

#include "runtime/forms/event_dispatch.h"

namespace glyphmill {

Timer::Timer(int intervalMs, QObject *parent)
    : QTimer(parent) {
    setInterval(intervalMs);
    connect(this, &QTimer::timeout, this, &Timer::tick);
}

void Timer::SetEnabled(bool enabled) {
    if (enabled == isActive())
        return;
    if (enabled)
        start();
    else
        stop();
}

void Timer::setTimerHandler(std::function<void()> handler) {
    m_handler = std::move(handler);
}

void Timer::tick() {
    EventDispatch::run(m_handler);
}

} // namespace glyphmill
