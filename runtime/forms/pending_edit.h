#pragma once

#include <QString>

class QTextDocument;

namespace glyphmill {

// An edit of a document while it is made, as one replacement: the changes
// the document reports, one after another, are joined into one span. What
// the edit removes is taken from the text read before it began, so that no
// copy of the whole document is needed. A change that removes text beyond
// what was read makes the edit unknown.
class PendingEdit {
  public:
    // At `position`, `before` was replaced by `afterLength` characters.
    struct Replacement {
        int position = 0;
        QString before;
        int afterLength = 0;
    };

    // An edit announced for the characters from `from` to `to`; the
    // characters from `readFrom` to `readTo`, which hold those, are read now.
    PendingEdit(QTextDocument &document, int from, int to, int readFrom, int readTo);

    // The document changed: at `position`, `removed` characters became
    // `added`.
    void change(int position, int removed, int added);
    bool changed() const { return m_changed; }
    bool unknown() const { return m_unknown; }
    // The characters the changes replace now: `afterLength` of the result.
    int length() const { return m_newLength; }
    // The edit, less what is the same at either end beyond what was
    // announced, or nothing when it changed no character.
    Replacement take();

  private:
    QTextDocument &m_document;
    int m_announcedFrom;
    int m_announcedTo;
    // The text from `m_readFrom` as it was before.
    int m_readFrom;
    QString m_read;
    bool m_changed = false;
    bool m_unknown = false;
    // The changes so far replaced the characters from `m_from` to `m_oldEnd`
    // of that text by `m_newLength` characters.
    int m_from = 0;
    int m_oldEnd = 0;
    int m_newLength = 0;
};

} // namespace glyphmill
