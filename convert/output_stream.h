#pragma once

#include "convert/streams.h"

#include <cstddef>

namespace glyphmill::convert {

// The output, written as it comes, with no buffer of its own. A failed write
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

// Closes the output at the end of a run: data a file system took only on
// close can still fail there, which is reported and makes the status 1.
// Returns the status.
int closeOutput(const Streams &streams, int status);

} // namespace glyphmill::convert
