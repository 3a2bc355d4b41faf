#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace glyphmill::test {

struct ToolResult {
    int status = -1; // the exit status; -1 when a signal ended the tool
    int signal = 0;  // the signal that ended it, 0 for none
    std::string out;
    std::string err;
};

// One run of glyphmill-convert: its arguments, then what differs from an
// empty standard input and collected output.
class ToolRun {
  public:
    explicit ToolRun(std::vector<std::string> arguments);

    ToolRun &input(std::string text);
    // GLYPHMILL_CONVERT_BUFFER: bytes read at a time.
    ToolRun &bufferSize(std::size_t size);
    // Standard output goes to this file (such as /dev/full).
    ToolRun &outputFile(std::string path);
    // Standard output is a pipe whose reader has gone; the tool starts with
    // SIGPIPE at its default or ignored.
    ToolRun &closedPipe(bool ignoreSigpipe = false);

    ToolResult run() const;

  private:
    std::vector<std::string> m_arguments;
    std::string m_input;
    std::optional<std::size_t> m_bufferSize;
    std::optional<std::string> m_outputFile;
    bool m_closedPipe = false;
    bool m_ignoreSigpipe = false;
};

// A folder of its own for a test's files, removed afterwards.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder &) = delete;
    TempFolder &operator=(const TempFolder &) = delete;

    // Writes a file into the folder; returns its path.
    std::string write(const std::string &name, const std::string &content) const;
    std::string path(const std::string &name) const;
    static std::string read(const std::string &path);

  private:
    std::filesystem::path m_path;
};

} // namespace glyphmill::test
