#include "runtime/forms/key_repeat_filter.h"

#include <QKeyEvent>

namespace glyphmill {

bool KeyRepeatFilter::isStale(const QKeyEvent &event) const {
    // Event times count milliseconds, as the handler's busy time does. A
    // "repeat" with the time of the press handled is none: the window system
    // gives a key's release and the next press one time, and Qt takes such a
    // pair for a repeat (a program typing keys makes many of them). A real
    // repeat comes at least the repeat delay after the press.
    const quint64 at = event.timestamp();
    return event.isAutoRepeat() && m_key != 0 && event.key() == m_key && at > m_handledAt &&
           at < m_busyUntil;
}

void KeyRepeatFilter::handled(const QKeyEvent &event, qint64 busyMs) {
    m_key = event.key();
    m_handledAt = event.timestamp();
    m_busyUntil = m_handledAt + static_cast<quint64>(busyMs);
}

} // namespace glyphmill
