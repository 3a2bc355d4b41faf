#include "runtime/forms/one_level_undo.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <utility>

namespace glyphmill {
namespace {

constexpr qsizetype kComparedPiece = qsizetype{1} << 14;

} // namespace

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
    m_pending = Pending{announcedFrom, announcedTo, from, textAt(from, to)};
}

void OneLevelUndo::end() {
    if (--m_scopes > 0 || !m_pending)
        return;
    Pending pending = std::move(*std::exchange(m_pending, std::nullopt));
    if (!pending.changed)
        return;
    if (pending.unknown) {
        // It removed text that was not read: it cannot be taken back, and
        // the edit before it cannot be put in its place.
        m_undo.reset();
        m_redo.reset();
        return;
    }
    QString before = std::move(pending.read);
    before.truncate(pending.oldEnd - pending.readFrom);
    before.remove(0, pending.from - pending.readFrom);
    Edit edit{pending.from, std::move(before), pending.newLength, pending.typed};
    trim(pending, edit);
    if (edit.before.size() == edit.afterLength &&
        sameAtStart(edit.position, edit.before, edit.afterLength) == edit.afterLength)
        return;
    if (edit.before.size() * 2 < edit.before.capacity())
        edit.before.squeeze();
    keep(std::move(edit));
}

void OneLevelUndo::trim(const Pending &pending, Edit &edit) const {
    // The document reports a change over whole blocks where an input method
    // wrote (its preedit area): what is the same at either end, beyond what
    // was announced, is no part of the edit.
    const qsizetype start =
        sameAtStart(edit.position, edit.before,
                    std::min(pending.announcedFrom - edit.position,
                             std::min<int>(edit.before.size(), edit.afterLength)));
    edit.before.remove(0, start);
    edit.position += static_cast<int>(start);
    edit.afterLength -= static_cast<int>(start);
    const qsizetype end = sameAtEnd(edit.position + edit.afterLength, edit.before,
                                    std::min(pending.oldEnd - pending.announcedTo,
                                             std::min<int>(edit.before.size(), edit.afterLength)));
    edit.before.chop(end);
    edit.afterLength -= static_cast<int>(end);
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
        compose(*m_pending, position, removed, added);
    } else if (removed != added) {
        // Not the user's edit (a new text): nothing before it can be taken
        // back. A change of format alone is reported as a change of as many
        // characters, and changes nothing.
        m_undo.reset();
        m_redo.reset();
    }
}

void OneLevelUndo::compose(Pending &pending, int position, int removed, int added) {
    if (pending.unknown)
        return;
    // Where the text read before lies now.
    const int shift = pending.changed ? pending.newLength - (pending.oldEnd - pending.from) : 0;
    const int readEnd = pending.readFrom + static_cast<int>(pending.read.size());
    if (position < pending.readFrom || position + removed > readEnd + shift) {
        if (removed == added)
            return;
        if (removed > 0) {
            pending.unknown = true;
            return;
        }
        // An insertion beside what was read (a block cut again): the text
        // between is as it was, and is read now.
        if (position < pending.readFrom) {
            pending.read.prepend(textAt(position, pending.readFrom));
            pending.readFrom = position;
        } else {
            pending.read.append(textAt(readEnd + shift, position));
        }
    }
    // The span of all changes so far, where it lies now and where it lay.
    const int from = pending.changed ? std::min(pending.from, position) : position;
    const int nowEnd = pending.changed ? pending.from + pending.newLength : from;
    const int end = std::max(nowEnd, position + removed);
    const int oldEnd = pending.changed && end == nowEnd ? pending.oldEnd : end - shift;
    pending.from = from;
    pending.oldEnd = oldEnd;
    pending.newLength = end - from - removed + added;
    pending.changed = true;
    pending.typed = m_typing && pending.newLength == 1;
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

// How many characters at the start of `text`, at most `most`, the document
// holds from `position`; read in pieces, so that a huge text is not read
// whole for a difference near its start.
qsizetype OneLevelUndo::sameAtStart(int position, QStringView text, qsizetype most) const {
    qsizetype same = 0;
    while (same < most) {
        const qsizetype size = std::min(kComparedPiece, most - same);
        const int at = position + static_cast<int>(same);
        const QString held = textAt(at, at + static_cast<int>(size));
        const auto differ = std::mismatch(held.begin(), held.end(), text.begin() + same);
        same += differ.first - held.begin();
        if (differ.first != held.end())
            break;
    }
    return same;
}

// The same at the end of `text`, which the document holds up to `end`.
qsizetype OneLevelUndo::sameAtEnd(int end, QStringView text, qsizetype most) const {
    qsizetype same = 0;
    while (same < most) {
        const qsizetype size = std::min(kComparedPiece, most - same);
        const int at = end - static_cast<int>(same);
        const QString held = textAt(at - static_cast<int>(size), at);
        const auto differ = std::mismatch(held.rbegin(), held.rend(), text.rbegin() + same);
        same += differ.first - held.rbegin();
        if (differ.first != held.rend())
            break;
    }
    return same;
}

QString OneLevelUndo::textAt(int from, int to) const {
    QTextCursor cursor(m_document);
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    return cursor.selectedText();
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
    cursor.insertText(edit.before);
    // The document has its own copy now: the text it replaces is read with
    // one copy fewer alive.
    edit.before = QString();
    const int caret = cursor.position();
    cursor.setPosition(caret + edit.afterLength, QTextCursor::KeepAnchor);
    QString after = cursor.selectedText();
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
