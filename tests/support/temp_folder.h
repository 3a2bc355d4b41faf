#pragma once

#include <filesystem>
#include <string>

namespace glyphmill::test {

// A folder of its own for a test's files, removed with everything in it,
// files whose permissions were taken away included.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder &) = delete;
    TempFolder &operator=(const TempFolder &) = delete;

    std::string path(const std::string &name = {}) const;
    // Writes a file into the folder; returns its path.
    std::string write(const std::string &name, const std::string &content) const;
    static std::string read(const std::string &path);

  private:
    std::filesystem::path m_path;
};

} // namespace glyphmill::test
