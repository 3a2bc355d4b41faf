#include "runtime/forms/pending_edit.h"

#include "runtime/forms/document_text.h"
#include "runtime/forms/text_cuts.h"

#include <QTextDocument>

#include <algorithm>

namespace glyphmill {

PendingEdit::PendingEdit(QTextDocument &document, int from, int to, int readFrom, int readTo)
    : m_document(document)
    , m_announcedFrom(from)
    , m_announcedTo(to)
    , m_readFrom(readFrom)
    , m_read(TextCuts::heldText(document, readFrom, readTo)) {}

void PendingEdit::change(int position, int removed, int added) {
    if (m_unknown)
        return;
    // Where the text read before lies now.
    const int shift = m_changed ? m_newLength - (m_oldEnd - m_from) : 0;
    const int readEnd = m_readFrom + static_cast<int>(m_read.size());
    if (position < m_readFrom || position + removed > readEnd + shift) {
        // A change of format alone is reported as a change of as many
        // characters.
        if (removed == added)
            return;
        if (removed > 0) {
            m_unknown = true;
            return;
        }
        // An insertion beside what was read (a block cut again): the text
        // between is as it was, and is read now.
        if (position < m_readFrom) {
            m_read.prepend(TextCuts::heldText(m_document, position, m_readFrom));
            m_readFrom = position;
        } else {
            m_read.append(TextCuts::heldText(m_document, readEnd + shift, position));
        }
    }
    // The span of all changes so far, where it lies now and where it lay.
    const int from = m_changed ? std::min(m_from, position) : position;
    const int nowEnd = m_changed ? m_from + m_newLength : from;
    const int end = std::max(nowEnd, position + removed);
    m_oldEnd = end - shift;
    m_from = from;
    m_newLength = end - from - removed + added;
    m_changed = true;
}

PendingEdit::Replacement PendingEdit::take() {
    QString before = std::move(m_read);
    before.truncate(m_oldEnd - m_readFrom);
    before.remove(0, m_from - m_readFrom);
    Replacement edit{m_from, std::move(before), m_newLength};
    // The document reports a change over whole blocks where an input method
    // wrote (its preedit area): what is the same at either end, beyond what
    // was announced, is no part of the edit.
    const auto most = [&](int beyond) {
        return std::min<qsizetype>(beyond,
                                   std::min<qsizetype>(edit.before.size(), edit.afterLength));
    };
    const qsizetype start =
        sameAtStart(m_document, edit.position, edit.before, most(m_announcedFrom - edit.position));
    edit.before.remove(0, start);
    edit.position += static_cast<int>(start);
    edit.afterLength -= static_cast<int>(start);
    const qsizetype end = sameAtEnd(m_document, edit.position + edit.afterLength, edit.before,
                                    most(m_oldEnd - m_announcedTo));
    edit.before.chop(end);
    edit.afterLength -= static_cast<int>(end);
    if (edit.before.size() == edit.afterLength &&
        sameAtStart(m_document, edit.position, edit.before, edit.afterLength) == edit.afterLength)
        return {edit.position, QString(), 0};
    if (edit.before.size() * 2 < edit.before.capacity())
        edit.before.squeeze();
    return edit;
}

} // namespace glyphmill
