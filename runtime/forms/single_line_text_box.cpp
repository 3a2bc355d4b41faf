#include "runtime/forms/single_line_text_box.h"

#include "runtime/forms/first_line_validator.h"

#include <QEvent>

#include <limits>
#include <utility>

namespace glyphmill {

SingleLineTextBox::SingleLineTextBox(QWidget *parent)
    : QLineEdit(parent) {
    // A text box takes text of any length; Qt's default stops at 32767.
    setMaxLength(std::numeric_limits<int>::max());
    setValidator(new FirstLineValidator(this, [this](const QString &text, int caret) {
        m_cut = Cut{text, caret};
        // A paste from the context menu comes outside the box's own events.
        QMetaObject::invokeMethod(this, &SingleLineTextBox::applyCut, Qt::QueuedConnection);
    }));
    connect(this, &QLineEdit::textChanged, this, &SingleLineTextBox::updateBlinking);
}

void SingleLineTextBox::SetText(const QString &text) {
    const qsizetype end = FirstLineValidator::firstBreak(text);
    setText(end < 0 ? text : text.left(end));
}

bool SingleLineTextBox::event(QEvent *event) {
    // The blink stops before the box starts its caret on getting the focus.
    if (event->type() == QEvent::FocusIn)
        updateBlinking();
    const bool done = QLineEdit::event(event);
    applyCut();
    if (event->type() == QEvent::FocusOut || event->type() == QEvent::Hide)
        updateBlinking();
    return done;
}

void SingleLineTextBox::updateBlinking() {
    m_steadyCaret.setSteady(hasFocus() && isVisible() && text().size() > SteadyCaret::kLineLimit);
}

void SingleLineTextBox::applyCut() {
    if (!m_cut)
        return;
    const Cut cut = *std::exchange(m_cut, std::nullopt);
    // The box holds its text from before the refused one: replace the part
    // that differs, as one edit.
    const QString now = text();
    qsizetype same = 0;
    while (same < now.size() && same < cut.text.size() && now[same] == cut.text[same])
        ++same;
    qsizetype sameEnd = 0;
    while (sameEnd < now.size() - same && sameEnd < cut.text.size() - same &&
           now[now.size() - 1 - sameEnd] == cut.text[cut.text.size() - 1 - sameEnd])
        ++sameEnd;
    // Moving the caret ends the edit before, so that Ctrl+Z takes back this
    // one alone.
    setCursorPosition(cursorPosition() == 0 ? static_cast<int>(now.size()) : 0);
    setSelection(static_cast<int>(same), static_cast<int>(now.size() - sameEnd - same));
    insert(cut.text.mid(same, cut.text.size() - sameEnd - same));
    setCursorPosition(cut.caret);
}

} // namespace glyphmill
