#include "runtime/forms/one_level_undo.h"

#include "runtime/forms/text_cuts.h"

#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <utility>

namespace glyphmill {

OneLevelUndo::OneLevelUndo(QTextDocument *document)
    : QObject(document)
    , m_document(document) {
    connect(document, &QTextDocument::contentsChange, this, &OneLevelUndo::record);
}

void OneLevelUndo::watch() {
    if (!m_watching) {
        m_shown = TextCuts::heldText(*m_document);
        m_watching = true;
    }
}

void OneLevelUndo::forget() {
    m_shown.clear();
    m_watching = false;
    m_undo.reset();
    m_redo.reset();
}

void OneLevelUndo::setTyping(bool typing) {
    m_typing = typing;
}

void OneLevelUndo::record(int position, int removed, int added) {
    if (!m_watching)
        return;
    const int length = m_document->characterCount() - 1;
    // The reported change may reach over the document's final paragraph end,
    // which is not part of the text.
    removed = static_cast<int>(std::min<qsizetype>(removed, m_shown.size() - position));
    added = length - static_cast<int>(m_shown.size()) + removed;
    if (position < 0 || removed < 0 || added < 0 || position + added > length) {
        // Not a change of the kept text: start again from the document.
        forget();
        watch();
        return;
    }
    const QString after = TextCuts::heldText(*m_document, position, position + added);
    QString before = m_shown.mid(position, removed);
    // A change of format alone is reported as a change of the text.
    if (before == after)
        return;
    m_shown.replace(position, removed, after);
    if (m_replaying)
        return;
    m_redo.reset();
    const bool typed = m_typing && added == 1;
    if (typed && m_undo && m_undo->typed && removed == 0 &&
        position == m_undo->position + m_undo->afterLength) {
        m_undo->afterLength += added;
        return;
    }
    m_undo = Edit{position, std::move(before), added, typed};
}

std::optional<int> OneLevelUndo::replay(std::optional<Edit> &from, std::optional<Edit> &to) {
    if (!from)
        return std::nullopt;
    const Edit edit = *std::exchange(from, std::nullopt);
    QTextCursor cursor(m_document);
    cursor.setPosition(edit.position);
    cursor.setPosition(edit.position + edit.afterLength, QTextCursor::KeepAnchor);
    to = Edit{edit.position, m_shown.mid(edit.position, edit.afterLength),
              static_cast<int>(edit.before.size()), false};
    m_replaying = true;
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    TextCuts::insertHeld(cursor, edit.before);
    cursor.endEditBlock();
    m_replaying = false;
    return cursor.position();
}

std::optional<int> OneLevelUndo::undo() {
    return replay(m_undo, m_redo);
}

std::optional<int> OneLevelUndo::redo() {
    return replay(m_redo, m_undo);
}

} // namespace glyphmill
