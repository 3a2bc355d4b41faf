#include "runtime/forms/edit_keys.h"

#include <QKeyEvent>
#include <QKeySequence>

#include <algorithm>
#include <initializer_list>

namespace glyphmill {

bool EditKeys::isRedo(const QKeyEvent &event) {
    return event.matches(QKeySequence::Redo) ||
           event.keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_Y) ||
           event.keyCombination() ==
               QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z);
}

bool EditKeys::mayEdit(const QKeyEvent &event) {
    if (event.matches(QKeySequence::Copy) || event.matches(QKeySequence::SelectAll) ||
        event.matches(QKeySequence::Undo) || isRedo(event))
        return false;
    const int key = event.key();
    return !(key >= Qt::Key_Escape && key <= Qt::Key_Backtab) &&
           !(key >= Qt::Key_Home && key <= Qt::Key_ScrollLock) &&
           !(key >= Qt::Key_F1 && key <= Qt::Key_F35);
}

namespace {

bool matchesAny(const QKeyEvent &event, std::initializer_list<QKeySequence::StandardKey> keys) {
    return std::any_of(keys.begin(), keys.end(),
                       [&](QKeySequence::StandardKey key) { return event.matches(key); });
}

} // namespace

bool EditKeys::movesByWord(const QKeyEvent &event) {
    return matchesAny(event, {QKeySequence::MoveToNextWord, QKeySequence::MoveToPreviousWord,
                              QKeySequence::SelectNextWord, QKeySequence::SelectPreviousWord});
}

bool EditKeys::movesCaret(const QKeyEvent &event) {
    return movesByWord(event) ||
           matchesAny(event, {QKeySequence::MoveToNextChar, QKeySequence::MoveToPreviousChar,
                              QKeySequence::SelectNextChar, QKeySequence::SelectPreviousChar});
}

} // namespace glyphmill
