#pragma once

#include <QObject>
#include <QString>

#include <optional>

class QTextDocument;

namespace glyphmill {

// One level of undo over a document, as in a plain text box: undo takes back
// the last edit, redo puts it back, and a second undo does nothing. A run of
// typed characters is one edit, and so is a paste, however many pieces it
// goes in (one edit block of the document). The document's own undo would keep every edit, and the
// text each one removed, for as long as it lives.
class OneLevelUndo : public QObject {
    Q_OBJECT
  public:
    explicit OneLevelUndo(QTextDocument *document);

    // Edits from here on can be undone. The document reports an edit only
    // once it is made, with the removed text gone, so the document's text is
    // kept from now on.
    void watch();
    // The document has a new text: nothing to undo, nothing kept.
    void forget();
    // The document's text while it is kept.
    const QString *keptText() const { return m_watching ? &m_shown : nullptr; }
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

    void record(int position, int removed, int added);
    std::optional<int> replay(std::optional<Edit> &from, std::optional<Edit> &to);

    QTextDocument *m_document;
    QString m_shown;
    bool m_watching = false;
    bool m_replaying = false;
    bool m_typing = false;
    std::optional<Edit> m_undo;
    std::optional<Edit> m_redo;
};

} // namespace glyphmill
