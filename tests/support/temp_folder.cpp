#include "temp_folder.h"

#include <fstream>
#include <iterator>
#include <system_error>
#include <unistd.h>

namespace glyphmill::test {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
    std::string name = (fs::temp_directory_path() / "glyphmill-test.XXXXXX").string();
    if (!::mkdtemp(name.data()))
        throw std::system_error(errno, std::generic_category(), "mkdtemp");
    m_path = name;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    for (const auto &entry : fs::recursive_directory_iterator(m_path, ignored))
        fs::permissions(entry.path(), fs::perms::owner_all, ignored);
    fs::remove_all(m_path, ignored);
}

std::string TempFolder::path(const std::string &name) const {
    return (m_path / name).string();
}

std::string TempFolder::write(const std::string &name, const std::string &content) const {
    std::ofstream(m_path / name, std::ios::binary) << content;
    return path(name);
}

std::string TempFolder::read(const std::string &path) {
    std::ifstream stream(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(stream), {});
}

} // namespace glyphmill::test
