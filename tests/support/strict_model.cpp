#include "tests/support/strict_model.h"

#include <cstdint>
#include <cstring>

namespace glyphmill::model {

std::string strictDigits(std::initializer_list<std::string_view> files) {
    std::string codes;
    unsigned digits = 0, value = 0;
    std::uint64_t line = 1, column = 1;
    const auto faultAt = [&](int found) {
        return codes + " " + std::to_string(line) + ":" + std::to_string(column) + " " +
               std::to_string(found);
    };
    for (const std::string_view file : files) {
        // A file without a byte has no place of its own for a fault.
        if (file.empty())
            continue;
        line = column = 1;
        for (const std::uint8_t byte : file) {
            if (byte == '0' || byte == '1') {
                value = value * 2 + (byte - '0');
                codes.append(++digits % 8 == 0, static_cast<char>(value));
            } else if (digits % 8 != 0 || !std::memchr(" \t\r\n", byte, 4)) {
                return faultAt(byte);
            }
            column = byte == '\n' ? 1 : column + 1;
            line += byte == '\n';
        }
    }
    return digits % 8 == 0 ? codes : faultAt(-1);
}

} // namespace glyphmill::model
