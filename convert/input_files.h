#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace glyphmill::convert {

// The input files, read one after another as one input. "-" is standard
// input. A file that cannot be opened or read is reported with the system's
// reason and skipped, as cat skips it.
class InputFiles {
  public:
    explicit InputFiles(std::vector<std::string> names);
    ~InputFiles();
    InputFiles(const InputFiles &) = delete;
    InputFiles &operator=(const InputFiles &) = delete;

    // Opens the next file of the list; false when none is left.
    bool openNext();
    // Reads the next piece of the open file, up to `size` bytes; 0 at its end
    // (or after a read error, which is reported).
    std::size_t read(std::uint8_t *buffer, std::size_t size);
    // The name of the open file in messages; standard input is "<stdin>".
    const std::string &displayName() const { return m_displayName; }
    // Some file could not be opened or read.
    bool failed() const { return m_failed; }

  private:
    void closeCurrent();
    void report(const std::string &name, int error);

    std::vector<std::string> m_names;
    std::size_t m_next = 0;
    int m_fd = -1;
    std::string m_displayName;
    bool m_failed = false;
};

} // namespace glyphmill::convert
