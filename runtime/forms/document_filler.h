#pragma once

#include "runtime/forms/block_cutter.h"

#include <QString>

#include <functional>
#include <vector>

class QTextCursor;
class QTextDocument;

namespace glyphmill {

// Puts a text into a QTextDocument the way a text box keeps it, and reads it
// back. Needs no window.
//
// How the document holds a text (whatever reads the document follows it):
// - Each line end of the text (CR LF, a lone CR or a lone LF) is one line
//   separator U+2028 inside a text block, or a paragraph separator U+2029
//   where BlockCutter ends the block; a line too long for one block is cut
//   (TextCuts).
// - A character of the text that the document would take as a line or block
//   end (U+2028, U+2029, U+FDD0, U+FDD1) is held as the stand-in U+FDD2,
//   U+FDD3, U+FDD4 or U+FDD5: it stays an ordinary character. A stand-in in
//   the text itself reads back as the character it stands for (these are
//   noncharacters, not meant for texts).
// - Every other character is itself.
class DocumentFiller {
  public:
    // Called now and then, with the characters put in so far, during a fill
    // that will take long enough for the user to wonder.
    using Progress = std::function<void(qsizetype done, qsizetype total)>;

    explicit DocumentFiller(const LineMeasure &measure = {}, Progress progress = {});

    // Inserts `text` at the cursor. Returns whether reading gives the text
    // back exactly: all of its line ends were CR LF.
    bool insert(QTextCursor &cursor, QStringView text);
    bool insert(QTextCursor &cursor, QLatin1StringView text);
    // The lines the box shows of each block the text went into, from the
    // cursor's first on, as far as the text goes.
    std::vector<int> lineCounts() const;

    // Whether the document holds `text` as it is: it has no character that
    // needs a stand-in, and none of code 0.
    static bool holdsAsIs(QStringView text);
    // The text of `held` (TextCuts), line ends as CR LF.
    static QString textOf(QStringView held);
    // The same in place, line ends as LF: what a copy to the clipboard gives.
    static void toCopiedText(QString &held);
    // Cuts the block again where it has grown too long, and gives the lines
    // it shows, and those of the blocks cut from it.
    static std::vector<int> cutAgain(QTextCursor &cursor, int blockNumber,
                                     const LineMeasure &measure);
    // Gives blocks from `firstBlock` on their counts of lines before they are
    // laid out, once the edit that filled them has ended: the box's scroll
    // bar is then right before it lays the text out.
    static void setLineCounts(QTextDocument &document, int firstBlock,
                              const std::vector<int> &counts);

  private:
    // The character of the text that a document character stands for.
    static QChar original(QChar held);
    template <typename View> bool fill(QTextCursor &cursor, View text);
    template <typename Char> bool appendHeld(QString &out, const Char *from, const Char *end);

    Progress m_progress;
    BlockCutter m_cutter;
};

} // namespace glyphmill
