#include "convert/number_lines.h"

#include "codec/number_to_binary.h"
#include "convert/exit_status.h"
#include "convert/input_files.h"
#include "convert/system_files.h"

#include <cstdint>
#include <string>

namespace glyphmill::convert {
namespace {

// Lines held before they are written.
constexpr std::size_t kBatch = 64 * 1024;
// The longest number read from standard input; a longer word is refused
// without being kept, so that memory stays bounded.
constexpr std::size_t kLongestNumber = 64 * 1024;

bool isBlank(std::uint8_t byte) {
    return byte == ' ' || (byte >= '\t' && byte <= '\r');
}

} // namespace

void NumberLines::convert(std::string_view number) {
    // Only ASCII characters can make up a number; wider ones need no exact
    // decoding to be refused.
    std::u16string text;
    for (const char c : number)
        text.push_back(static_cast<unsigned char>(c));
    const NumberToBinaryResult result = numberToBinary(text);
    if (result.converted && !result.error) {
        m_lines.append(result.digits.begin(), result.digits.end());
        m_lines.push_back('\n');
        if (m_lines.size() >= kBatch)
            flush();
        return;
    }
    refuse(number, (result.error ? *result.error : RuntimeError::typeMismatch()).description());
}

void NumberLines::refuse(std::string_view number, const std::string &reason) {
    flush();
    // A message is text: a NUL byte in the word ends it.
    number = number.substr(0, number.find('\0'));
    system_files::writeMessage(m_streams.errors, std::string(kToolName) + ": number \"" +
                                                     std::string(number) + "\" refused: " + reason +
                                                     "\n");
    m_refusedAny = true;
}

bool NumberLines::flush() {
    const bool written = m_output.write(m_lines.data(), m_lines.size());
    m_lines.clear();
    return written;
}

int runNumberToBinary(const std::vector<std::string> &numbers, const Streams &streams) {
    NumberLines lines(streams);
    for (const std::string &number : numbers)
        lines.convert(number);
    InputFiles input({"-"}, streams);
    std::uint8_t buffer[16 * 1024];
    std::string word;
    const auto endWord = [&] {
        if (word.size() > kLongestNumber)
            lines.refuse(word.substr(0, 32) + "...",
                         "longer than " + std::to_string(kLongestNumber) + " characters");
        else if (!word.empty())
            lines.convert(word);
        word.clear();
    };
    while (numbers.empty() && input.openNext()) {
        for (auto piece = input.next(buffer, sizeof buffer); !piece.empty();
             piece = input.next(buffer, sizeof buffer)) {
            for (const std::uint8_t byte : piece) {
                if (isBlank(byte))
                    endWord();
                else if (word.size() <= kLongestNumber)
                    word.push_back(static_cast<char>(byte));
            }
            // A number typed at a terminal is answered at the end of its line.
            if (!lines.flush())
                return kExitFailure;
        }
    }
    endWord();
    const bool written = lines.flush();
    return lines.refusedAny() || !written || input.failed() ? kExitFailure : kExitSuccess;
}

} // namespace glyphmill::convert
