#pragma once

#include <filesystem>
#include <string>

namespace glyphmill {

// Sequential input of a text file, one line at a time. A line ends at CR LF,
// at a lone CR or at a lone LF, and the line end is not part of the line; a
// last line without a line end is a line too. The file is read when it is
// opened, so a file that opened can no longer fail while it is read.
// What is read is bounded, so that any file is read in bounded time and
// memory: the first kMaxBytes of a file (a line they cut ends there), and the
// first kMaxLineLength characters of a line (the rest of it is skipped).
// A file of tips is far smaller, and a window lays out a line whole, at a
// cost in time and memory that grows with its length (`window_bench line MB`
// measures it).
class LineInput {
  public:
    static constexpr std::size_t kMaxBytes = std::size_t{1} << 20;
    static constexpr std::size_t kMaxLineLength = 4096; // UTF-16 code units

    // Opens a regular file (a link to one will do) and reads it. False, with
    // nothing to read, when there is no such file, when the name is that of
    // a folder or another kind of file, or when the file cannot be read.
    bool open(const std::filesystem::path &file);
    void close();

    bool atEnd() const { return m_position >= m_text.size(); }
    // The next line; reading at the end raises error 62. A character made of
    // two code units is never cut in two.
    std::u16string readLine();

  private:
    std::u16string m_text;
    std::size_t m_position = 0;
};

} // namespace glyphmill
