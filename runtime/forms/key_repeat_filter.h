#pragma once

#include <QtGlobal>

class QKeyEvent;

namespace glyphmill {

// Drops the repeats of a held key that the window system queued while the
// key's handler was still busy with it: holding a key that starts a long
// piece of work costs at most one more run of it, not one per repeat. A press
// always counts, and so does a repeat made after the handler finished.
class KeyRepeatFilter {
  public:
    // A repeat of the key last handled, made while that handler was busy:
    // after the event it handled and before it finished.
    bool isStale(const QKeyEvent &event) const;
    // The handler for the event has run, busy for that long.
    void handled(const QKeyEvent &event, qint64 busyMs);

  private:
    int m_key = 0;
    quint64 m_handledAt = 0;
    // When the last handler run finished, on the clock of the events' times.
    quint64 m_busyUntil = 0;
};

} // namespace glyphmill
