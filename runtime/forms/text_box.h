#pragma once

#include "key_repeat_filter.h"

#include <QPlainTextEdit>

#include <functional>
#include <optional>

namespace glyphmill {

// A multi-line text box. Its text has CR LF line breaks whatever the widget
// stores: Enter inserts one, and pasted text gets one per line end (LF,
// CR LF or CR). A text set with a character of code 0 keeps only the part
// before it. Tab moves the focus, as in any dialog. Repeats of a held key
// queued while its key handler was busy are dropped. A hidden box hands a text
// it is given to the widget only when it is shown: nobody sees it before.
//
// Large texts: the widget keeps many lines in one text block (line
// separators inside, a paragraph separator every few hundred lines), since a
// block per line costs more than the text itself; a long fill shows its
// progress. Undo has one level, as in a plain text box: Ctrl+Z takes back the
// last edit, Ctrl+Y puts it back.
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
    void insertFromMimeData(const QMimeData *source) override;
    void showEvent(QShowEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

  private:
    // An edit as undo sees it: at `position`, `before` was replaced by
    // `afterLength` characters. Positions and texts are the document's.
    struct Edit {
        int position = 0;
        QString before;
        int afterLength = 0;
        bool typed = false;
    };

    void forget();
    template <typename View> void fill(View text);
    template <typename View> bool insertText(QTextCursor &cursor, View text);
    void keepShownText();
    void recordChange(int position, int removed, int added);
    void replay(std::optional<Edit> &from, std::optional<Edit> &to);
    void undoLastEdit();
    void redoLastEdit();
    void updateBlinking();

    // The text as set or last read, until the next edit. A large text whose
    // line breaks are all CR LF is not kept: the document gives it back.
    mutable std::optional<QString> m_text;
    // The document's text, kept once the user may edit it: undo needs what
    // an edit removed.
    QString m_shown;
    bool m_shownKept = false;
    bool m_setting = false;
    bool m_replaying = false;
    bool m_inKeyPress = false;
    // The widget does not show m_text yet (the box was hidden).
    bool m_textPending = false;
    // Changes recorded so far by the paste under way, or -1.
    int m_pasteChanges = -1;
    std::optional<Edit> m_undo;
    std::optional<Edit> m_redo;
    // The application's caret blink, while this box stops it.
    int m_savedFlashTime = -1;
    KeyDownHandler m_keyDown;
    KeyRepeatFilter m_repeats;
};

} // namespace glyphmill
