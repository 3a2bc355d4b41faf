#include "main_window/binary_to_text.h"

#include "runtime/value.h"
#include "runtime/windows_1252.h"

namespace glyphmill {

void DigitGroupReader::flushGroup(std::string &codes)
{
    if (m_group != 0)
        codes.push_back(static_cast<char>(m_group));
    m_group = 0;
    m_digits = 0;
}

void DigitGroupReader::finish(std::string &codes)
{
    if (m_digits == 0)
        return;
    m_group <<= (8 - m_digits);
    flushGroup(codes);
}

BinaryToTextResult binaryToText(std::u16string_view input)
{
    BinaryToTextResult result;
    result.work = replaceAll(input, u"\r\n", u"");
    std::string codes;
    codes.reserve(result.work.size() / 8 + 1);
    DigitGroupReader reader;
    reader.read(result.work.data(), result.work.size(), codes);
    reader.finish(codes);
    result.answer = Windows1252::decode(codes);
    return result;
}

} // namespace glyphmill
