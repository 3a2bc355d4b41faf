#include "runtime/base/line_input.h"

#include "runtime/base/runtime_error.h"
#include "runtime/base/text_file_encoding.h"

#include <array>
#include <cstdio>
#include <memory>
#include <optional>
#include <system_error>

namespace glyphmill {
namespace {

constexpr int kInputPastEndOfFile = 62;

struct FileCloser {
    void operator()(std::FILE *file) const { std::fclose(file); }
};

// The bytes of a regular file, or nothing when it cannot be read whole.
std::optional<std::string> readRegularFile(const std::filesystem::path &name) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(name, error))
        return std::nullopt;
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(name.c_str(), "rb"));
    if (!file)
        return std::nullopt;
    // The size a file reports is not trusted: some report 0 and have more.
    std::string bytes;
    std::array<char, 65536> buffer{};
    for (;;) {
        const std::size_t count = std::fread(buffer.data(), 1, buffer.size(), file.get());
        bytes.append(buffer.data(), count);
        if (count < buffer.size())
            break;
    }
    if (std::ferror(file.get()))
        return std::nullopt;
    return bytes;
}

} // namespace

bool LineInput::open(const std::filesystem::path &file) {
    close();
    std::optional<std::string> bytes = readRegularFile(file);
    if (!bytes)
        return false;
    m_text = decodeTextFile(*bytes);
    return true;
}

void LineInput::close() {
    m_text.clear();
    m_text.shrink_to_fit();
    m_position = 0;
}

std::u16string LineInput::readLine() {
    if (atEnd())
        throw RuntimeError(kInputPastEndOfFile, "Input past end of file");
    std::size_t end = m_text.find_first_of(u"\r\n", m_position);
    if (end == std::u16string::npos)
        end = m_text.size();
    std::u16string line = m_text.substr(m_position, end - m_position);
    m_position = end;
    if (m_position < m_text.size()) {
        const bool pair = m_text[m_position] == u'\r' && m_position + 1 < m_text.size() &&
                          m_text[m_position + 1] == u'\n';
        m_position += pair ? 2 : 1;
    }
    return line;
}

} // namespace glyphmill
