#pragma once

#include <QObject>
#include <QString>

#include <optional>

class QTextDocument;

namespace glyphmill {

// One level of undo over a document, as in a plain text box: undo takes back
// the last edit, redo puts it back, and a second undo does nothing. A run of
// typed characters is one edit, and so is a paste, however many pieces it
// goes in. The document's own undo would keep every edit, and the text each
// one removed, for as long as it lives.
class OneLevelUndo : public QObject {
    Q_OBJECT
  public:
    // What makes the edits that come next.
    enum class Source { Other, Typing, Paste };

    explicit OneLevelUndo(QTextDocument *document);

    // Edits from here on can be undone. The document reports an edit only
    // once it is made, with the removed text gone, so the document's text is
    // kept from now on.
    void watch();
    // The document has a new text: nothing to undo, nothing kept.
    void forget();
    // The document's text while it is kept.
    const QString *keptText() const { return m_watching ? &m_shown : nullptr; }
    void setSource(Source source);

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
    Source m_source = Source::Other;
    // Changes recorded so far by the paste under way.
    int m_pasteChanges = 0;
    std::optional<Edit> m_undo;
    std::optional<Edit> m_redo;
};

} // namespace glyphmill
