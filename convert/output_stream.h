#pragma once

#include <cstddef>

namespace glyphmill::convert {

// Standard output, written with write(2) and no buffer of its own. A failed
// write is reported with the system's reason; a reader that went away (a
// closed pipe) ends the output quietly.
class OutputStream {
  public:
    // Writes all of the bytes; false when the output failed, now or before.
    bool write(const void *data, std::size_t size);
    bool failed() const { return m_failed; }

  private:
    bool m_failed = false;
};

} // namespace glyphmill::convert
