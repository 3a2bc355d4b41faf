#include "runtime/forms/document_text.h"

#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace glyphmill {
namespace {

constexpr qsizetype kComparedPiece = qsizetype{1} << 14;

} // namespace

QString documentText(QTextDocument &document, int from, int to) {
    QTextCursor cursor(&document);
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    return cursor.selectedText();
}

qsizetype sameAtStart(QTextDocument &document, int position, QStringView text, qsizetype most) {
    qsizetype same = 0;
    while (same < most) {
        const qsizetype size = std::min(kComparedPiece, most - same);
        const int at = position + static_cast<int>(same);
        const QString held = documentText(document, at, at + static_cast<int>(size));
        const auto differ = std::mismatch(held.begin(), held.end(), text.begin() + same);
        same += differ.first - held.begin();
        if (differ.first != held.end())
            break;
    }
    return same;
}

qsizetype sameAtEnd(QTextDocument &document, int end, QStringView text, qsizetype most) {
    qsizetype same = 0;
    while (same < most) {
        const qsizetype size = std::min(kComparedPiece, most - same);
        const int at = end - static_cast<int>(same);
        const QString held = documentText(document, at - static_cast<int>(size), at);
        const auto differ = std::mismatch(held.rbegin(), held.rend(), text.rbegin() + same);
        same += differ.first - held.rbegin();
        if (differ.first != held.rend())
            break;
    }
    return same;
}

} // namespace glyphmill
