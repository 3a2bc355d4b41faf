#pragma once

#include <QString>

#include <vector>

class QTextBlock;
class QTextBlockFormat;
class QTextCursor;
class QTextDocument;

namespace glyphmill {

// A cut ends a text block inside a line of the text, so that no block of a
// text box's document is long enough to be slow to lay out (BlockCutter).
// In the document it is a paragraph separator like a line end; the block
// after it says in its format that it goes on with the line before. Whatever
// reads the box skips it: the text, a copy, a screen reader's offsets,
// caret moves and deletions, undo.
//
// Held text is the document's characters as they stand at their positions,
// each cut read as kMark, a character the document never holds (a text's
// own one is given a stand-in): it puts back exactly what it was read from.
//
// Every edit that makes or removes a cut is one edit block of the document
// with the edit that made it needed. So an undo that replays the document's
// own edits gives back the cuts with the text; one that keeps text it took
// out reads it held and puts it back with insertHeld.
class TextCuts {
  public:
    static constexpr char16_t kMark = 0xfdd0;

    // The cuts of `document`, found again after each change of it.
    static const TextCuts &of(const QTextDocument &document);

    static QTextBlockFormat blockAfterCut();
    static bool followsCut(const QTextBlock &block);
    // The document's characters [from, to) as held.
    static QString heldText(const QTextDocument &document, int from, int to);
    static QString heldText(const QTextDocument &document);
    // Puts held text in at the cursor: each kMark a cut, each paragraph
    // separator a block end that is a line end.
    static void insertHeld(QTextCursor &cursor, QStringView held);
    // Whether the document's characters [from, to) are all cuts.
    static bool onlyCuts(const QTextDocument &document, int from, int to);
    // Whether `position` is at a cut that falls inside a word.
    static bool inWordAtCut(const QTextDocument &document, int position);

    explicit TextCuts(const QTextDocument &document);

    int count() const { return static_cast<int>(m_positions.size()); }
    // The offset in the text of a position in the document.
    int offsetOf(int position) const;
    // The position in the document of an offset in the text: after the cuts
    // that are there.
    int positionOf(int offset) const;

  private:
    // Where each cut's separator stands, in order.
    std::vector<int> m_positions;
};

} // namespace glyphmill
