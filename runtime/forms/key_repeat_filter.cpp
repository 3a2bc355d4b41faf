#include "key_repeat_filter.h"

#include <QKeyEvent>

namespace glyphmill {

bool KeyRepeatFilter::isStale(const QKeyEvent &event) const {
    // Event times count milliseconds, as the handler's busy time does.
    return event.isAutoRepeat() && m_key != 0 && event.key() == m_key &&
           event.timestamp() <= m_busyUntil;
}

void KeyRepeatFilter::handled(const QKeyEvent &event, qint64 busyMs) {
    m_key = event.key();
    m_busyUntil = event.timestamp() + static_cast<quint64>(busyMs);
}

} // namespace glyphmill
