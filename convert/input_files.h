#pragma once

#include "convert/streams.h"
#include "convert/system_files.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace glyphmill::convert {

// The input files, read one after another as one input. "-" is
// the run's input stream. A file that cannot be opened or read is reported
// with the system's reason and skipped, as cat skips it; so is a file that is
// the output itself, which would feed the tool its own output without end.
class InputFiles {
  public:
    InputFiles(std::vector<std::string> names, const Streams &streams);
    ~InputFiles();
    InputFiles(const InputFiles &) = delete;
    InputFiles &operator=(const InputFiles &) = delete;

    // Opens the next file of the list; false when none is left.
    bool openNext();
    // The next piece of the open file, read into `buffer`, at most `size`
    // bytes. Empty at its end (or after a read error, which is reported).
    std::span<const std::uint8_t> next(std::uint8_t *buffer, std::size_t size);
    // The name of the open file in messages; standard input is "<stdin>".
    const std::string &displayName() const { return m_displayName; }
    // Some file could not be opened or read, or was the output.
    bool failed() const { return m_failed; }

  private:
    void closeCurrent();
    void report(const std::string &name, const char *reason);
    bool isOutput(int fd) const;

    std::vector<std::string> m_names;
    Streams m_streams;
    std::size_t m_next = 0;
    int m_fd = -1;
    std::string m_displayName;
    bool m_failed = false;
    // The output's identity where what is written to it can be read back.
    std::optional<system_files::FileIdentity> m_output;
};

} // namespace glyphmill::convert
