#include "runtime/forms/text_box_accessible.h"

#include "runtime/forms/document_filler.h"
#include "runtime/forms/text_cuts.h"
#include "runtime/forms/text_segments.h"

#include <QInputMethodEvent>
#include <QPlainTextEdit>
#include <QTextCursor>

#include <algorithm>

namespace glyphmill {
namespace {

// The character, word or sentence at an offset is looked for this far on
// either side of it: a word is rarely longer, and screen readers ask for one
// at every caret move.
constexpr int kNearby = 4096;

} // namespace

TextBoxAccessible::TextBoxAccessible(QPlainTextEdit *box)
    : QAccessibleWidget(box, QAccessible::EditableText)
    , m_extents(box) {}

QPlainTextEdit *TextBoxAccessible::box() const {
    return static_cast<QPlainTextEdit *>(widget());
}

QTextDocument *TextBoxAccessible::document() const {
    return box()->document();
}

void *TextBoxAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface *>(this);
    if (type == QAccessible::EditableTextInterface)
        return static_cast<QAccessibleEditableTextInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

QAccessible::State TextBoxAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.selectableText = true;
    state.multiLine = true;
    state.readOnly = box()->isReadOnly();
    state.editable = !box()->isReadOnly();
    return state;
}

QString TextBoxAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Value)
        return text(0, characterCount());
    return QAccessibleWidget::text(t);
}

const TextCuts &TextBoxAccessible::cuts() const {
    return TextCuts::of(*document());
}

int TextBoxAccessible::offsetOf(int position) const {
    return cuts().offsetOf(position);
}

int TextBoxAccessible::positionOf(int offset) const {
    return cuts().positionOf(offset);
}

int TextBoxAccessible::characterCount() const {
    // The document counts the paragraph end after its last character.
    return document()->characterCount() - 1 - cuts().count();
}

QString TextBoxAccessible::text(int startOffset, int endOffset) const {
    const int count = characterCount();
    startOffset = std::clamp(startOffset, 0, count);
    endOffset = std::clamp(endOffset < 0 ? count : endOffset, startOffset, count);
    endOffset = std::min(endOffset, startOffset + kMaxText);
    return readable(
        TextCuts::heldText(*document(), positionOf(startOffset), positionOf(endOffset)));
}

QString TextBoxAccessible::readable(QString text, int limit) {
    // A huge text is not read whole; the cuts in what is read do not count.
    text.truncate(limit + limit / (BlockCutter::kBlockLength / 2) + 1);
    DocumentFiller::toCopiedText(text);
    text.truncate(limit);
    return text;
}

QString TextBoxAccessible::readable(const QTextDocument &document, int position, int length,
                                    int limit) {
    const int end = std::min(position + length, document.characterCount() - 1);
    return readable(TextCuts::heldText(document, position, std::min(end, position + 2 * limit + 1)),
                    limit);
}

QString TextBoxAccessible::around(int offset, QAccessible::TextBoundaryType boundaryType,
                                  TextSegments::Side side, int *startOffset, int *endOffset) const {
    const int count = characterCount();
    // -1 stands for the end; any other offset outside the text means its
    // nearest end.
    offset = offset == -1 ? count : std::clamp(offset, 0, count);
    if (boundaryType == QAccessible::NoBoundary) {
        const int end = side == TextSegments::Side::At ? std::min(count, kMaxText) : offset;
        *startOffset = side == TextSegments::Side::At ? 0 : offset;
        *endOffset = end;
        return text(*startOffset, end);
    }
    const bool lines =
        boundaryType == QAccessible::LineBoundary || boundaryType == QAccessible::ParagraphBoundary;
    const int reach = lines ? kMaxText / 2 : kNearby;
    const int from = std::max(offset, reach) - reach;
    const QString piece = text(from, count - offset > reach ? offset + reach : count);
    const TextSegments::Range found = TextSegments::find(piece, boundaryType, side, offset - from);
    *startOffset = from + found.start;
    *endOffset = from + found.end;
    return piece.mid(found.start, found.end - found.start);
}

QString TextBoxAccessible::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                            int *startOffset, int *endOffset) const {
    return around(offset, boundaryType, TextSegments::Side::Before, startOffset, endOffset);
}

QString TextBoxAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                        int *startOffset, int *endOffset) const {
    return around(offset, boundaryType, TextSegments::Side::At, startOffset, endOffset);
}

QString TextBoxAccessible::textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                           int *startOffset, int *endOffset) const {
    return around(offset, boundaryType, TextSegments::Side::After, startOffset, endOffset);
}

int TextBoxAccessible::cursorPosition() const {
    return offsetOf(box()->textCursor().position());
}

void TextBoxAccessible::setCursorPosition(int position) {
    setSelection(0, position, position);
}

int TextBoxAccessible::selectionCount() const {
    return box()->textCursor().hasSelection() ? 1 : 0;
}

void TextBoxAccessible::selection(int selectionIndex, int *startOffset, int *endOffset) const {
    const QTextCursor cursor = box()->textCursor();
    *startOffset = *endOffset = 0;
    if (selectionIndex == 0 && cursor.hasSelection()) {
        *startOffset = offsetOf(cursor.selectionStart());
        *endOffset = offsetOf(cursor.selectionEnd());
    }
}

void TextBoxAccessible::addSelection(int startOffset, int endOffset) {
    // The box has one selection.
    setSelection(0, startOffset, endOffset);
}

void TextBoxAccessible::removeSelection(int selectionIndex) {
    if (selectionIndex != 0)
        return;
    QTextCursor cursor = box()->textCursor();
    cursor.clearSelection();
    box()->setTextCursor(cursor);
}

void TextBoxAccessible::setSelection(int selectionIndex, int startOffset, int endOffset) {
    if (selectionIndex != 0)
        return;
    const int count = characterCount();
    QTextCursor cursor(document());
    cursor.setPosition(positionOf(std::clamp(startOffset, 0, count)));
    cursor.setPosition(positionOf(std::clamp(endOffset, 0, count)), QTextCursor::KeepAnchor);
    box()->setTextCursor(cursor);
}

QRect TextBoxAccessible::characterRect(int offset) const {
    return m_extents.characterRect(positionOf(offset));
}

int TextBoxAccessible::offsetAtPoint(const QPoint &point) const {
    const QPoint at = box()->viewport()->mapFromGlobal(point);
    if (!box()->viewport()->rect().contains(at))
        return -1;
    return offsetOf(box()->cursorForPosition(at).position());
}

void TextBoxAccessible::scrollToSubstring(int startIndex, int endIndex) {
    // The box scrolls only to its caret, and moving the caret here would
    // move the user's.
    Q_UNUSED(startIndex);
    Q_UNUSED(endIndex);
}

QString TextBoxAccessible::attributes(int offset, int *startOffset, int *endOffset) const {
    // The whole text has one look.
    Q_UNUSED(offset);
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
}

void TextBoxAccessible::deleteText(int startOffset, int endOffset) {
    replaceText(startOffset, endOffset, QString());
}

void TextBoxAccessible::insertText(int offset, const QString &text) {
    replaceText(offset, offset, text);
}

void TextBoxAccessible::replaceText(int startOffset, int endOffset, const QString &text) {
    if (box()->isReadOnly())
        return;
    // As typed: the box keeps the edit for undo as it keeps one typed. The
    // event replaces a range after the caret: the box takes no selection
    // away with an empty text.
    const int count = characterCount();
    const int first = std::clamp(startOffset, 0, count);
    const int last = std::clamp(endOffset, 0, count);
    const int start = std::min(first, last);
    const int end = std::max(first, last);
    setSelection(0, start, start);
    QInputMethodEvent typed;
    typed.setCommitString(text, 0, positionOf(end) - positionOf(start));
    QCoreApplication::sendEvent(box(), &typed);
}

} // namespace glyphmill
