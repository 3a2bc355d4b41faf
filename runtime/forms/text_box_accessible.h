#pragma once

#include "runtime/forms/text_box_extents.h"
#include "runtime/forms/text_segments.h"

#include <QAccessibleWidget>

class QPlainTextEdit;
class QTextDocument;

namespace glyphmill {

class TextCuts;

// What assistive technology reads of a multi-line text box. It reads the
// box's document as DocumentFiller holds the text: each line or paragraph
// separator reads as "\n", each stand-in as the character the user put in,
// and a cut inside a line as nothing, so offsets and counts are those of the
// text.
//
// Every answer is bounded, in time and in size, whatever the length of the
// text: a reply larger than the accessibility bus takes (128 MiB) would cut
// the program off the bus for good.
// - A text answer holds at most kMaxText characters: getText(0, -1) on a
//   larger box gives its first kMaxText characters; the line, word or
//   character at an offset is looked for within kMaxText / 2 characters of
//   it (a longer line comes in part).
// - Character extents are those the box has laid out on the screen; every
//   other character has none (an empty rectangle), so the extents of a range
//   are those of its shown part. Nothing is laid out for them.
class TextBoxAccessible : public QAccessibleWidget,
                          public QAccessibleTextInterface,
                          public QAccessibleEditableTextInterface {
  public:
    static constexpr int kMaxText = 1 << 20;
    // An edit's report holds at most this much of the text put in or taken
    // out: a 135M-character answer fills the box in 135 pieces, and reports
    // of kMaxText characters each would put 135 MB or more on the bus.
    static constexpr int kMaxEditText = 1 << 14;

    explicit TextBoxAccessible(QPlainTextEdit *box);

    // A piece of the box's document, held (TextCuts), as read: each line
    // or paragraph separator a "\n", each stand-in its original, no cut, at
    // most `limit` characters.
    static QString readable(QString text, int limit = kMaxText);
    // The same for the document's `length` characters from `position`.
    static QString readable(const QTextDocument &document, int position, int length, int limit);

    void *interface_cast(QAccessible::InterfaceType type) override;
    QAccessible::State state() const override;
    QString text(QAccessible::Text t) const override;

    void selection(int selectionIndex, int *startOffset, int *endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                             int *startOffset, int *endOffset) const override;
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                            int *startOffset, int *endOffset) const override;
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset,
                         int *endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint &point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int *startOffset, int *endOffset) const override;

    void deleteText(int startOffset, int endOffset) override;
    void insertText(int offset, const QString &text) override;
    void replaceText(int startOffset, int endOffset, const QString &text) override;

  private:
    QPlainTextEdit *box() const;
    QTextDocument *document() const;
    const TextCuts &cuts() const;
    // The offset in the text of a position in the document, and back.
    int offsetOf(int position) const;
    int positionOf(int offset) const;
    QString around(int offset, QAccessible::TextBoundaryType boundaryType, TextSegments::Side side,
                   int *startOffset, int *endOffset) const;

    TextBoxExtents m_extents;
};

} // namespace glyphmill
