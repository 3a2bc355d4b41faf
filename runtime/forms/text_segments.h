#pragma once

#include <QAccessible>
#include <QString>

namespace glyphmill {

// The character, word, sentence or line of a text at, before or after an
// offset, as a screen reader asks for them, in time bounded by the text's
// length whatever the offset. A character is what the user sees as one
// (a surrogate pair, a letter with its marks); words and sentences follow
// the Unicode rules, and a word or sentence asked for at the end of the text
// is its last one; a line or paragraph ends after each "\n". Where there is
// nothing before or after, the answer is empty, at the start or the end of
// the text.
class TextSegments {
  public:
    enum class Side { Before, At, After };
    struct Range {
        int start = 0;
        int end = 0;
    };

    // `offset` is in [0, text.size()].
    static Range find(const QString &text, QAccessible::TextBoundaryType boundaryType, Side side,
                      int offset);

  private:
    static Range at(const QString &text, QAccessible::TextBoundaryType boundaryType, int offset);
};

} // namespace glyphmill
