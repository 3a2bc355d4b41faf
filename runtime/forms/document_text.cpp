#include "runtime/forms/document_text.h"

#include "runtime/forms/text_cuts.h"

#include <QTextDocument>

#include <algorithm>

namespace glyphmill {
namespace {

constexpr qsizetype kComparedPiece = qsizetype{1} << 14;

} // namespace

qsizetype sameAtStart(const QTextDocument &document, int position, QStringView text,
                      qsizetype most) {
    qsizetype same = 0;
    while (same < most) {
        const qsizetype size = std::min(kComparedPiece, most - same);
        const int at = position + static_cast<int>(same);
        const QString held = TextCuts::heldText(document, at, at + static_cast<int>(size));
        const auto differ = std::mismatch(held.begin(), held.end(), text.begin() + same);
        same += differ.first - held.begin();
        if (differ.first != held.end())
            break;
    }
    return same;
}

qsizetype sameAtEnd(const QTextDocument &document, int end, QStringView text, qsizetype most) {
    qsizetype same = 0;
    while (same < most) {
        const qsizetype size = std::min(kComparedPiece, most - same);
        const int at = end - static_cast<int>(same);
        const QString held = TextCuts::heldText(document, at - static_cast<int>(size), at);
        const auto differ = std::mismatch(held.rbegin(), held.rend(), text.rbegin() + same);
        same += differ.first - held.rbegin();
        if (differ.first != held.rend())
            break;
    }
    return same;
}

} // namespace glyphmill
