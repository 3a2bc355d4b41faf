#include "runtime/base/line_input.h"

#include "runtime/base/runtime_error.h"
#include "runtime/base/text_file_encoding.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <optional>
#include <string_view>
#include <system_error>

namespace glyphmill {
namespace {

constexpr int kInputPastEndOfFile = 62;

// The bytes before a UTF-8 sequence that the end of `bytes` cuts short.
std::size_t withoutCutSequence(std::string_view bytes) {
    const std::size_t size = bytes.size();
    for (std::size_t back = 1; back <= 3 && back <= size; ++back) {
        const auto byte = static_cast<unsigned char>(bytes[size - back]);
        if ((byte & 0xC0) == 0x80)
            continue;
        const std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
        return length > back ? size - back : size;
    }
    return size;
}

// The first LineInput::kMaxBytes of a regular file, or nothing when it cannot
// be read. When the file goes on, a character that the limit cuts is left
// out, so that a file of UTF-8 is still read as UTF-8.
std::optional<std::string> readRegularFile(const std::filesystem::path &name) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(name, error))
        return std::nullopt;
    // A stream opens the path with its own characters on every system
    // (wide ones on Windows), and reads bytes as they are.
    std::ifstream file(name, std::ios::binary);
    if (!file)
        return std::nullopt;
    // The size a file reports is not trusted: some report 0 and have more.
    std::string bytes;
    std::array<char, 65536> buffer{};
    while (bytes.size() <= LineInput::kMaxBytes) {
        file.read(buffer.data(), buffer.size());
        const auto count = static_cast<std::size_t>(file.gcount());
        bytes.append(buffer.data(), count);
        if (count < buffer.size())
            break;
    }
    if (file.bad())
        return std::nullopt;
    if (bytes.size() > LineInput::kMaxBytes) {
        bytes.resize(LineInput::kMaxBytes);
        bytes.resize(withoutCutSequence(bytes));
    }
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
    std::size_t length = std::min(end - m_position, LineInput::kMaxLineLength);
    if (length < end - m_position && length > 0 &&
        (m_text[m_position + length - 1] & 0xFC00) == 0xD800)
        --length;
    std::u16string line = m_text.substr(m_position, length);
    m_position = end;
    if (m_position < m_text.size()) {
        const bool pair = m_text[m_position] == u'\r' && m_position + 1 < m_text.size() &&
                          m_text[m_position + 1] == u'\n';
        m_position += pair ? 2 : 1;
    }
    return line;
}

} // namespace glyphmill
