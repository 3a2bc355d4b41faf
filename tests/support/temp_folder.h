#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

namespace glyphmill::test {

// A folder of its own for a test's files, removed with everything in it.
class TempFolder {
  public:
    TempFolder() {
        std::string name = (std::filesystem::temp_directory_path() / "glyphmill.XXXXXX").string();
        if (!::mkdtemp(name.data()))
            throw std::system_error(errno, std::generic_category(), "mkdtemp");
        m_path = name;
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempFolder(const TempFolder &) = delete;
    TempFolder &operator=(const TempFolder &) = delete;

    std::string path(const std::string &name = {}) const { return (m_path / name).string(); }
    // Writes a file into the folder; returns its path.
    std::string write(const std::string &name, const std::string &content) const {
        std::ofstream(m_path / name, std::ios::binary) << content;
        return path(name);
    }
    static std::string read(const std::string &path) {
        std::ifstream stream(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(stream), {}};
    }

  private:
    std::filesystem::path m_path;
};

} // namespace glyphmill::test
