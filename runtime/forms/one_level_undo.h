#pragma once

#include "runtime/forms/pending_edit.h"

#include <QObject>
#include <QString>

#include <optional>

class QInputMethodEvent;
class QKeyEvent;
class QTextCursor;
class QTextDocument;

namespace glyphmill {

// One level of undo over a document, as in a plain text box: undo takes back
// the last edit, redo puts it back, and a second undo does nothing. A run of
// typed characters is one edit, and so is a paste, however many pieces it
// goes in. Only what the last edit removed is kept, with where it was, as the
// document held it (line and block ends included), so undo puts back exactly
// what was there. The document's own undo would keep the text of every edit
// for as long as it lives.
//
// The document reports an edit only once it is made, with the removed text
// gone; so the user's edits are announced first (EditScope), and what they
// may remove is read then. An edit that nobody announced, such as a new text
// from the program, leaves nothing to undo.
class OneLevelUndo : public QObject {
    Q_OBJECT
  public:
    // The user's edit while it lasts. What it may remove is read at once;
    // what it does remove is kept when it ends. Everything the document does
    // meanwhile is one edit.
    class EditScope {
      public:
        // A key: a typed text replaces the selection; any other key may also
        // reach into the text blocks beside it (a word or a line deleted, a
        // block end joined).
        EditScope(OneLevelUndo &undo, const QTextCursor &caret, const QKeyEvent &event);
        // An input method: the selection, then a range from the caret.
        EditScope(OneLevelUndo &undo, const QTextCursor &caret, const QInputMethodEvent &event);
        // The selection, and a text put in at `position` (a paste, a drop).
        EditScope(OneLevelUndo &undo, const QTextCursor &caret, int position);
        ~EditScope();
        EditScope(const EditScope &) = delete;
        EditScope &operator=(const EditScope &) = delete;

      private:
        OneLevelUndo &m_undo;
    };

    explicit OneLevelUndo(QTextDocument *document);

    // The document has a new text: nothing to undo or redo.
    void forget();
    // Whether the edits that come next are typed: a run of them is one edit.
    void setTyping(bool typing);

    bool canUndo() const { return m_undo.has_value(); }
    bool canRedo() const { return m_redo.has_value(); }
    // Take back or put back the edit; return where the caret goes, if anything changed.
    std::optional<int> undo();
    std::optional<int> redo();

  private:
    // At `position`, `before` was replaced by `afterLength` characters.
    struct Edit {
        int position = 0;
        QString before;
        int afterLength = 0;
        bool typed = false;
    };

    void begin(int from, int to, bool blocksBeside);
    void end();
    void record(int position, int removed, int added);
    void keep(Edit edit);
    std::optional<int> replay(std::optional<Edit> &from, std::optional<Edit> &to);

    QTextDocument *m_document;
    // The document's length as of its last change, its final block end not
    // counted.
    int m_length = 0;
    int m_scopes = 0;
    bool m_replaying = false;
    bool m_typing = false;
    std::optional<PendingEdit> m_pending;
    // Whether the pending edit is one typed character.
    bool m_pendingTyped = false;
    std::optional<Edit> m_undo;
    std::optional<Edit> m_redo;
};

} // namespace glyphmill
