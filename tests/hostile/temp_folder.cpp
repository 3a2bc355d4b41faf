#include "temp_folder.h"

#include <stdlib.h>

#include <fstream>
#include <system_error>

namespace glyphmill::test {

TempFolder::TempFolder() {
    char name[] = "/tmp/glyphmill-hostile.XXXXXX";
    if (!::mkdtemp(name))
        throw std::system_error(errno, std::generic_category(), "mkdtemp");
    m_path = name;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    for (const auto &entry : std::filesystem::directory_iterator(m_path, ignored))
        std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(m_path, ignored);
}

std::string TempFolder::write(const std::string &name, const std::string &content) const {
    std::ofstream(m_path / name, std::ios::binary) << content;
    return path(name);
}

std::string TempFolder::path(const std::string &name) const {
    return (m_path / name).string();
}

} // namespace glyphmill::test
