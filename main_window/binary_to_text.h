#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace glyphmill {

// Reads digits in groups of eight as they come: "1" is a 1 digit and every
// other character a 0 digit. A group of code 0 adds nothing; a short final
// group is completed with 0 digits on the right.
class DigitGroupReader {
public:
    // Appends the code of every completed group to `codes`.
    template <typename Char> void read(const Char *digits, std::size_t count, std::string &codes)
    {
        for (std::size_t i = 0; i < count; ++i) {
            m_group = static_cast<unsigned>((m_group << 1) | (digits[i] == Char('1') ? 1U : 0U));
            if (++m_digits == 8)
                flushGroup(codes);
        }
    }
    // Completes a short final group.
    void finish(std::string &codes);

private:
    void flushGroup(std::string &codes);

    unsigned m_group = 0;
    int m_digits = 0;
};

struct BinaryToTextResult {
    std::u16string work;   // the input without its CR LF pairs
    std::u16string answer; // one character per group of eight digits
};

// The answer of "Binary To Ascii" for the text of the input box.
BinaryToTextResult binaryToText(std::u16string_view input);

} // namespace glyphmill
