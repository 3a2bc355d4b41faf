#pragma once

#include "runtime/forms/block_cutter.h"
#include "runtime/forms/key_repeat_filter.h"

#include <QPlainTextEdit>

#include <functional>
#include <optional>
#include <vector>

namespace glyphmill {

class OneLevelUndo;

// A multi-line text box. Its text has CR LF line breaks whatever the widget
// stores: Enter inserts one, and pasted text gets one per line end (LF,
// CR LF or CR). A text set with a character of code 0 keeps only the part
// before it. Tab moves the focus, as in any dialog. Repeats of a held key
// queued while its key handler was busy are dropped. A hidden box hands a text
// it is given to the widget only when it is shown: nobody sees it before.
// A character is the same whether typed, pasted, or put in by an input
// method or a screen reader; no path puts in a character of code 0.
// How the document holds the text: DocumentFiller; no block is long
// (BlockCutter), and the cuts inside long lines are skipped by whatever
// reads or moves in the box (TextCuts). A copy is the plain text alone. Undo has one level
// (OneLevelUndo): Ctrl+Z takes back the last edit, Ctrl+Y or Ctrl+Shift+Z puts it back.
class TextBox : public QPlainTextEdit {
    Q_OBJECT
  public:
    using KeyDownHandler = std::function<void(int keyCode, int shift)>;

    explicit TextBox(QWidget *parent);
    ~TextBox() override;

    QString Text() const;
    void SetText(const QString &text);
    // The same for a text of single-byte characters: a large answer need not
    // be made a wide text first.
    void SetText(QLatin1StringView text);
    void setKeyDownHandler(KeyDownHandler handler);

  protected:
    bool event(QEvent *event) override;
    bool viewportEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    QMimeData *createMimeDataFromSelection() const override;
    void insertFromMimeData(const QMimeData *source) override;
    void showEvent(QShowEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

  private:
    template <typename View> void fill(View text);
    // Inserts `text` at the cursor; returns whether reading gives it back
    // exactly, and the lines of the blocks it went into.
    template <typename View>
    bool insertText(QTextCursor &cursor, View text, std::vector<int> &lineCounts);
    // Puts `text` in place of the selection, as the document holds it.
    void putIn(const QString &text);
    // A key the widget handles, kept clear of the cuts.
    void editByKey(QKeyEvent *event);
    // Runs `edit` and cuts the caret's block again in the same edit.
    template <typename Edit> void cutAfter(Edit edit);
    // How wide the box's lines are, for cuts where they wrap.
    LineMeasure measure() const;
    void undoLastEdit();
    void deleteSelection();
    void placeCaret(std::optional<int> position);
    void redoLastEdit();

    // The text as set, until the next edit, while the document cannot give
    // it back (a line end other than CR LF) or it is cheap to keep.
    mutable std::optional<QString> m_text;
    // The widget does not show m_text yet (the box was hidden, or it is
    // being filled).
    bool m_textPending = false;
    OneLevelUndo *m_undo;
    KeyDownHandler m_keyDown;
    KeyRepeatFilter m_repeats;
};

} // namespace glyphmill
