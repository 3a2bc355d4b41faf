#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include <sys/types.h>

namespace glyphmill::convert {

// A regular file read through a window of its mapping that moves along it:
// no copy out of the page cache, and only one window's worth of the file in
// the tool's memory at a time.
//
// Another program may shorten the file while it is mapped; touching a page
// past the new end raises SIGBUS, and the rest of the page the end falls in
// reads as zeros. Work on the mapping therefore runs inside guard(), which
// turns that signal, or a size that no longer covers the piece, into a false
// result; the window then gives nothing more and the file is read the
// ordinary way from the start of the piece that was cut short.
class FileWindow {
  public:
    FileWindow() = default;
    ~FileWindow();
    FileWindow(const FileWindow &) = delete;
    FileWindow &operator=(const FileWindow &) = delete;

    // Starts on `fd` at `offset`; false for a file better read than mapped:
    // not a regular file, one that takes no room on a disk, or one whose size
    // says nothing is left.
    bool start(int fd, off_t offset);
    // The next piece, at most `size` bytes. Empty where the mapping ends (the
    // file's end by its size, a file that could not be mapped or shrank);
    // offset() is then where reading goes on.
    std::span<const std::uint8_t> next(std::size_t size);
    bool active() const { return m_fd >= 0; }
    off_t offset() const { return m_offset; }
    void stop();

    // Runs work(context) on the piece last given; false when the file shrank
    // under it.
    bool guard(void (*work)(void *), void *context);

  private:
    void unmap();
    void giveUpPiece();

    int m_fd = -1;
    bool m_ended = false;
    off_t m_offset = 0;     // of the next piece
    off_t m_pieceStart = 0; // of the piece last given
    std::uint8_t *m_map = nullptr;
    off_t m_mapStart = 0;
    std::size_t m_mapLength = 0;
};

} // namespace glyphmill::convert
