#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include <sys/types.h>

namespace glyphmill::convert {

// The input files, read one after another as one input. "-" is standard
// input. A file that cannot be opened or read is reported with the system's
// reason and skipped, as cat skips it; so is a file that is the output file
// itself, which would feed the tool its own output without end.
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
    void report(const std::string &name, const char *reason);
    bool isOutputFile(int fd) const;

    std::vector<std::string> m_names;
    std::size_t m_next = 0;
    int m_fd = -1;
    std::string m_displayName;
    bool m_failed = false;
    // Standard output when it is a regular file: its device and inode.
    bool m_outputIsFile = false;
    dev_t m_outputDevice = 0;
    ino_t m_outputInode = 0;
};

} // namespace glyphmill::convert
