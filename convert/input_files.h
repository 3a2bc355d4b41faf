#pragma once

#include "file_window.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <type_traits>
#include <vector>

#include <sys/types.h>

namespace glyphmill::convert {

// The input files, read one after another as one input. "-" is standard
// input. A file that cannot be opened or read is reported with the system's
// reason and skipped, as cat skips it; so is a file that is the output file
// itself, which would feed the tool its own output without end.
//
// Regular files may be mapped rather than copied, a window at a time so that
// memory stays bounded; pipes, terminals and whatever cannot be mapped are
// read into the caller's buffer.
class InputFiles {
  public:
    // Mapping pays where the input is large beside the output (decoding);
    // text-to-binary reads its small pieces faster than it maps them.
    InputFiles(std::vector<std::string> names, bool mapRegularFiles);
    ~InputFiles();
    InputFiles(const InputFiles &) = delete;
    InputFiles &operator=(const InputFiles &) = delete;

    // Opens the next file of the list; false when none is left.
    bool openNext();
    // The next piece of the open file, at most `size` bytes: in the file's
    // mapping, or read into `buffer`. Empty at its end (or after a read
    // error, which is reported).
    std::span<const std::uint8_t> next(std::uint8_t *buffer, std::size_t size);
    // Runs `use` on the piece next() gave. A mapped file can shrink while it
    // is used; then `use` is cut short, false comes back, and the caller
    // undoes what `use` did: next() goes on from the piece's start with
    // read(), which sees the file as it is now.
    template <class Use> bool use(Use &&use) {
        return m_window.guard(
            [](void *context) { (*static_cast<std::remove_reference_t<Use> *>(context))(); }, &use);
    }
    // The name of the open file in messages; standard input is "<stdin>".
    const std::string &displayName() const { return m_displayName; }
    // Some file could not be opened or read.
    bool failed() const { return m_failed; }

  private:
    void closeCurrent();
    void report(const std::string &name, const char *reason);
    bool isOutputFile(int fd) const;
    std::size_t readInto(std::uint8_t *buffer, std::size_t size);

    std::vector<std::string> m_names;
    std::size_t m_next = 0;
    int m_fd = -1;
    std::string m_displayName;
    bool m_failed = false;
    bool m_mapRegularFiles = false;
    // Standard output when it is a regular file: its device and inode.
    bool m_outputIsFile = false;
    dev_t m_outputDevice = 0;
    ino_t m_outputInode = 0;
    FileWindow m_window;
};

} // namespace glyphmill::convert
