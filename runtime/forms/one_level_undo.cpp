#include "runtime/forms/one_level_undo.h"

#include "runtime/forms/text_cuts.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <utility>

namespace glyphmill {

OneLevelUndo::EditScope::EditScope(OneLevelUndo &undo, const QTextCursor &caret,
                                   const QKeyEvent &event)
    : m_undo(undo) {
    const QString text = event.text();
    const bool typed = !text.isEmpty() &&
                       std::all_of(text.begin(), text.end(), [](QChar c) { return c.isPrint(); });
    m_undo.begin(caret.selectionStart(), caret.selectionEnd(), !typed || caret.hasSelection());
}

OneLevelUndo::EditScope::EditScope(OneLevelUndo &undo, const QTextCursor &caret,
                                   const QInputMethodEvent &event)
    : m_undo(undo) {
    // The range is relative to the caret once the selection is gone. The
    // document reports a change over the blocks where the input method
    // wrote: they are read too, and what did not change is left out at the
    // end (trim).
    const int from = caret.selectionStart();
    const int to = caret.selectionEnd();
    m_undo.begin(std::min(from, from + event.replacementStart()),
                 std::max(to, to + event.replacementStart() + event.replacementLength()), true);
}

OneLevelUndo::EditScope::EditScope(OneLevelUndo &undo, const QTextCursor &caret, int position)
    : m_undo(undo) {
    m_undo.begin(std::min(caret.selectionStart(), position),
                 std::max(caret.selectionEnd(), position), false);
}

OneLevelUndo::EditScope::~EditScope() {
    m_undo.end();
}

OneLevelUndo::OneLevelUndo(QTextDocument *document)
    : QObject(document)
    , m_document(document)
    , m_length(document->characterCount() - 1) {
    connect(document, &QTextDocument::contentsChange, this, &OneLevelUndo::record);
}

void OneLevelUndo::forget() {
    m_pending.reset();
    m_undo.reset();
    m_redo.reset();
}

void OneLevelUndo::setTyping(bool typing) {
    m_typing = typing;
}

void OneLevelUndo::begin(int from, int to, bool blocksBeside) {
    // An edit inside an edit (a nested event loop) is part of the outer one.
    if (m_scopes++ > 0)
        return;
    from = std::clamp(from, 0, m_length);
    to = std::clamp(to, from, m_length);
    const int announcedFrom = from;
    const int announcedTo = to;
    if (blocksBeside) {
        QTextBlock first = m_document->findBlock(from);
        if (first.previous().isValid())
            first = first.previous();
        QTextBlock last = m_document->findBlock(to);
        if (last.next().isValid())
            last = last.next();
        from = first.position();
        to = std::min(m_length, last.position() + last.length());
    }
    m_pending.emplace(*m_document, announcedFrom, announcedTo, from, to);
    m_pendingTyped = false;
}

void OneLevelUndo::end() {
    if (--m_scopes > 0 || !m_pending)
        return;
    PendingEdit pending = std::move(*std::exchange(m_pending, std::nullopt));
    if (!pending.changed())
        return;
    if (pending.unknown()) {
        // It removed text that was not read: it cannot be taken back, and
        // the edit before it cannot be put in its place.
        m_undo.reset();
        m_redo.reset();
        return;
    }
    PendingEdit::Replacement edit = pending.take();
    if (!edit.before.isEmpty() || edit.afterLength > 0)
        keep(Edit{edit.position, std::move(edit.before), edit.afterLength, m_pendingTyped});
}

void OneLevelUndo::record(int position, int removed, int added) {
    const int length = m_document->characterCount() - 1;
    // The reported change may reach over the document's final block end,
    // which is not part of the text.
    removed = std::clamp(removed, 0, std::max(0, m_length - position));
    added = length - m_length + removed;
    m_length = length;
    if (m_replaying)
        return;
    if (position < 0 || added < 0) {
        forget();
        return;
    }
    if (m_pending) {
        m_pending->change(position, removed, added);
        m_pendingTyped = m_typing && m_pending->length() == 1;
    } else if (removed != added) {
        // Not the user's edit (a new text): nothing before it can be taken
        // back. A change of format alone is reported as a change of as many
        // characters, and changes nothing.
        m_undo.reset();
        m_redo.reset();
    }
}

void OneLevelUndo::keep(Edit edit) {
    m_redo.reset();
    if (edit.typed && edit.before.isEmpty() && m_undo && m_undo->typed &&
        edit.position == m_undo->position + m_undo->afterLength) {
        m_undo->afterLength += edit.afterLength;
        return;
    }
    m_undo = std::move(edit);
}

std::optional<int> OneLevelUndo::replay(std::optional<Edit> &from, std::optional<Edit> &to) {
    if (!from)
        return std::nullopt;
    Edit edit = std::move(*std::exchange(from, std::nullopt));
    const int length = m_length;
    QTextCursor cursor(m_document);
    m_replaying = true;
    cursor.beginEditBlock();
    cursor.setPosition(edit.position);
    TextCuts::insertHeld(cursor, edit.before);
    // The document has its own copy now: the text it replaces is read with
    // one copy fewer alive.
    edit.before = QString();
    const int caret = cursor.position();
    cursor.setPosition(caret + edit.afterLength, QTextCursor::KeepAnchor);
    QString after = TextCuts::heldText(*m_document, caret, caret + edit.afterLength);
    cursor.removeSelectedText();
    cursor.endEditBlock();
    m_replaying = false;
    to = Edit{edit.position, std::move(after), m_length - length + edit.afterLength, false};
    return caret;
}

std::optional<int> OneLevelUndo::undo() {
    return replay(m_undo, m_redo);
}

std::optional<int> OneLevelUndo::redo() {
    return replay(m_redo, m_undo);
}

} // namespace glyphmill
