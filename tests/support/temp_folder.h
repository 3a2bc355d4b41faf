#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <system_error>

namespace glyphmill::test {

// A folder of its own for a test's files, removed with everything in it.
class TempFolder {
  public:
    // A new folder of a random name, made by this call and no other (a name
    // taken already, one chance in billions, fails the test).
    TempFolder()
        : m_path(std::filesystem::temp_directory_path() /
                 ("glyphmill." + std::to_string(std::random_device()()))) {
        if (!std::filesystem::create_directory(m_path))
            throw std::system_error(std::make_error_code(std::errc::file_exists), "temp folder");
    }
    ~TempFolder() { std::filesystem::remove_all(m_path, m_removal); }

    std::string path(const std::string &name = {}) const { return (m_path / name).string(); }
    // Writes a file into the folder; returns its path.
    std::string write(const std::string &name, const std::string &content) const {
        std::ofstream(m_path / name, std::ios::binary) << content;
        return path(name);
    }
    static std::string read(const std::filesystem::path &path) {
        return {std::istreambuf_iterator<char>(std::ifstream(path, std::ios::binary).rdbuf()), {}};
    }

  private:
    std::filesystem::path m_path;
    std::error_code m_removal; // a file left behind fails no test
};

} // namespace glyphmill::test
