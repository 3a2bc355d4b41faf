#pragma once

#include <QString>

#include <functional>

class QTextCursor;
class QTextDocument;

namespace glyphmill {

// Puts a text into a QTextDocument the way a text box keeps it, and reads it
// back. Needs no window.
//
// How the document holds a text (whatever reads the document follows it):
// - Each line end of the text (CR LF, a lone CR or a lone LF) is one line
//   separator U+2028 inside a text block; every kLinesPerBlock-th is a
//   paragraph separator U+2029, which ends the block. A block per line costs
//   more than the text itself; one block for everything is laid out whole
//   whenever any of it is shown. 5M characters of digit lines: filled in
//   15 ms CPU with blocks of 256 lines, 47 ms with 16, 1.9 s with one block;
//   scrolled to the end and back in 5 ms, 17 ms with 1024 (window_bench
//   methods 0.5, offscreen).
// - A character of the text that the document would take as a line or block
//   end (U+2028, U+2029, U+FDD0, U+FDD1) is held as the stand-in U+FDD2,
//   U+FDD3, U+FDD4 or U+FDD5: it stays an ordinary character. A stand-in in
//   the text itself reads back as the character it stands for (these are
//   noncharacters, not meant for texts).
// - Every other character is itself.
class DocumentFiller {
  public:
    static constexpr int kLinesPerBlock = 256;
    // Called now and then, with the characters put in so far, during a fill
    // that will take long enough for the user to wonder.
    using Progress = std::function<void(qsizetype done, qsizetype total)>;

    explicit DocumentFiller(Progress progress = {});

    // Inserts `text` at the cursor. Returns whether reading gives the text
    // back exactly: all of its line ends were CR LF.
    bool insert(QTextCursor &cursor, QStringView text);
    bool insert(QTextCursor &cursor, QLatin1StringView text);

    // Whether the document holds `text` as it is: it has no character that
    // needs a stand-in, and none of code 0.
    static bool holdsAsIs(QStringView text);
    // The text of the document's characters `shown`, line ends as CR LF.
    static QString textOf(QStringView shown);
    // The same in place, line ends as LF: what a copy to the clipboard gives.
    static void toCopiedText(QString &shown);
    // Gives each block of the range its count of lines before it is laid
    // out, once the edit that filled them has ended: where no line is
    // longer than the box is wide, the box shows each line of the text as
    // one, and its scroll bar is right before the box lays the text out.
    static void countLines(QTextDocument &document, int firstBlock, int lastBlock);

  private:
    // The character of the text that a document character stands for.
    static QChar original(QChar shown);
    template <typename View> bool fill(QTextCursor &cursor, View text);

    Progress m_progress;
    // Line ends of the block being filled so far.
    qsizetype m_lines = 0;
};

} // namespace glyphmill
