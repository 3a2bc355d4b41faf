#include "runtime/forms/text_segments.h"

#include <QTextBoundaryFinder>

namespace glyphmill {

TextSegments::Range TextSegments::find(const QString &text,
                                       QAccessible::TextBoundaryType boundaryType, Side side,
                                       int offset) {
    const Range found = at(text, boundaryType, offset);
    switch (side) {
    case Side::Before:
        return found.start > 0 ? at(text, boundaryType, found.start - 1)
                               : Range{found.start, found.start};
    case Side::At:
        return found;
    case Side::After:
        return found.end < text.size() ? at(text, boundaryType, found.end)
                                       : Range{found.end, found.end};
    }
    return found;
}

TextSegments::Range TextSegments::at(const QString &text,
                                     QAccessible::TextBoundaryType boundaryType, int offset) {
    const int size = static_cast<int>(text.size());
    QTextBoundaryFinder::BoundaryType kind = QTextBoundaryFinder::Grapheme;
    switch (boundaryType) {
    case QAccessible::CharBoundary:
        break;
    case QAccessible::WordBoundary:
        kind = QTextBoundaryFinder::Word;
        break;
    case QAccessible::SentenceBoundary:
        kind = QTextBoundaryFinder::Sentence;
        break;
    case QAccessible::LineBoundary:
    case QAccessible::ParagraphBoundary: {
        const int start =
            offset == 0 ? 0 : static_cast<int>(text.lastIndexOf(u'\n', offset - 1)) + 1;
        const int end = static_cast<int>(text.indexOf(u'\n', offset));
        return {start, end < 0 ? size : end + 1};
    }
    case QAccessible::NoBoundary:
        return {0, size};
    }
    if (kind != QTextBoundaryFinder::Grapheme && offset == size && size > 0)
        --offset;
    QTextBoundaryFinder finder(kind, text);
    finder.setPosition(offset);
    const int start =
        finder.isAtBoundary() ? offset : static_cast<int>(finder.toPreviousBoundary());
    finder.setPosition(offset);
    const int end = static_cast<int>(finder.toNextBoundary());
    return {std::max(start, 0), end < 0 ? size : end};
}

} // namespace glyphmill
