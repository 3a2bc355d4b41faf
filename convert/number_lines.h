#pragma once

#include "convert/output_stream.h"
#include "convert/streams.h"

#include <string>
#include <string_view>
#include <vector>

namespace glyphmill::convert {

// number-to-binary: one line of digits for each number, or a message on the
// error stream for a refused one. Lines are written in batches, and before
// each message, so that a terminal shows both in order.
class NumberLines {
  public:
    explicit NumberLines(const Streams &streams)
        : m_streams(streams)
        , m_output(streams) {}

    void convert(std::string_view number);
    // Reports a number that is not converted, and why.
    void refuse(std::string_view number, const std::string &reason);
    // Writes the lines held so far; false when the output failed.
    bool flush();
    bool refusedAny() const { return m_refusedAny; }

  private:
    Streams m_streams;
    OutputStream m_output;
    std::string m_lines;
    bool m_refusedAny = false;
};

// The numbers of the arguments or, with none, those of standard input,
// separated by white space. Returns the exit status.
int runNumberToBinary(const std::vector<std::string> &numbers, const Streams &streams);

} // namespace glyphmill::convert
