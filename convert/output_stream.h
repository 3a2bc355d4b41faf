#pragma once

#include "convert/streams.h"

#include <cstddef>

namespace glyphmill::convert {

// The output, written with write(2) and no buffer of its own. A failed write
// is reported with the system's reason; a reader that went away (a closed
// pipe) ends the output quietly.
class OutputStream {
  public:
    explicit OutputStream(const Streams &streams)
        : m_streams(streams) {}

    // Writes all of the bytes; false when the output failed, now or before.
    bool write(const void *data, std::size_t size);
    bool failed() const { return m_failed; }

  private:
    Streams m_streams;
    bool m_failed = false;
};

} // namespace glyphmill::convert
