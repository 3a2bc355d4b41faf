#pragma once

#include <QString>

#include <string_view>

namespace glyphmill {

// The core works on UTF-16 views; these bridge to Qt's strings without a
// conversion (QString stores UTF-16 as well).
inline std::u16string_view textView(const QString &text) {
    return {reinterpret_cast<const char16_t *>(text.utf16()),
            static_cast<std::size_t>(text.size())};
}

inline QString qtText(std::u16string_view text) {
    return QString(reinterpret_cast<const QChar *>(text.data()),
                   static_cast<qsizetype>(text.size()));
}

} // namespace glyphmill
