#pragma once

#include "key_repeat_filter.h"

#include <QPlainTextEdit>

#include <functional>

namespace glyphmill {

// A multi-line text box. Its text has CR LF line breaks whatever the widget
// stores: Enter inserts one, and pasted text gets one per line end (LF,
// CR LF or CR). A text set with a character of code 0 keeps only the part
// before it. Tab moves the focus, as in any dialog. Repeats of a held key
// queued while its key handler was busy are dropped. A hidden box hands a text
// it is given to the widget only when it is shown: nobody sees it before.
class TextBox : public QPlainTextEdit {
    Q_OBJECT
  public:
    using KeyDownHandler = std::function<void(int keyCode, int shift)>;

    explicit TextBox(QWidget *parent);

    QString Text() const;
    void SetText(const QString &text);
    void setKeyDownHandler(KeyDownHandler handler);

  protected:
    void keyPressEvent(QKeyEvent *event) override;
    void insertFromMimeData(const QMimeData *source) override;
    void showEvent(QShowEvent *event) override;

  private:
    void markStale();
    void showText();

    // The text as last set or read; the widget's own copy wins once the
    // user edits it.
    mutable QString m_text;
    mutable bool m_stale = false;
    bool m_setting = false;
    // The widget does not show m_text yet (the box was hidden).
    bool m_textPending = false;
    KeyDownHandler m_keyDown;
    KeyRepeatFilter m_repeats;
};

} // namespace glyphmill
