// The layouts of text to binary: what each writes, and what the window's
// rules read back from it.
#include "digit_group_encoder.h"
#include "digit_stream_decoder.h"

#include <gtest/gtest.h>

#include <random>

namespace glyphmill {
namespace {

std::string encoded(DigitSeparator separator, CodecPath path, std::string_view bytes) {
    DigitGroupEncoder encoder(separator, path);
    std::string text(DigitGroupEncoder::outputCapacity(bytes.size()) + 1, '#');
    std::size_t written = encoder.encode(reinterpret_cast<const std::uint8_t *>(bytes.data()),
                                         bytes.size(), text.data());
    text.resize(written + encoder.finish(text.data() + written));
    return text;
}

std::string readByTheWindowsRules(CodecPath path, const std::string &text) {
    DigitStreamDecoder decoder(path);
    std::string codes(DigitStreamDecoder::outputCapacity(text.size()), '\0');
    std::size_t written =
        decoder.decode(reinterpret_cast<const std::uint8_t *>(text.data()), text.size(),
                       reinterpret_cast<std::uint8_t *>(codes.data()));
    written += decoder.finish(reinterpret_cast<std::uint8_t *>(codes.data() + written));
    codes.resize(written);
    return codes;
}

TEST(DigitLayouts, WrittenAndReadByTheWindowsRules) {
    // Each layout of "Hi" and what the window's rules make of it: a space or a
    // lone LF takes a digit position.
    const std::tuple<DigitSeparator, std::string, std::string> rows[] = {
        {DigitSeparator::CrLf, "01001000\r\n01101001\r\n", "Hi"},
        {DigitSeparator::Lf, "01001000\n01101001\n", "H4\x80"},
        {DigitSeparator::Space, "01001000 01101001\n", "H4\x80"},
        {DigitSeparator::None, "0100100001101001", "Hi"}};
    // Without code 0, which the window's rules drop.
    std::mt19937 random(21);
    std::string payload(3001, '\0');
    for (char &byte : payload)
        byte = static_cast<char>(1 + random() % 255);
    for (const auto &[separator, hi, read] : rows) {
        for (const CodecPath path : {CodecPath::Portable, CodecPath::Vector}) {
            SCOPED_TRACE(hi + (path == CodecPath::Vector ? " vector" : " portable"));
            EXPECT_EQ(encoded(separator, path, "Hi"), hi);
            EXPECT_EQ(encoded(separator, path, ""), "");
            EXPECT_EQ(readByTheWindowsRules(path, hi), read);
            EXPECT_EQ(readByTheWindowsRules(path, encoded(separator, path, payload)) == payload,
                      read == "Hi");
        }
    }
}

} // namespace
} // namespace glyphmill
