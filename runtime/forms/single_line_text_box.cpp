#include "single_line_text_box.h"

#include "first_line_validator.h"

#include <limits>

namespace glyphmill {

SingleLineTextBox::SingleLineTextBox(QWidget *parent)
    : QLineEdit(parent) {
    // A text box takes text of any length; Qt's default stops at 32767.
    setMaxLength(std::numeric_limits<int>::max());
    setValidator(new FirstLineValidator(this));
}

void SingleLineTextBox::SetText(const QString &text) {
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    setText(nul < 0 ? text : text.left(nul));
}

} // namespace glyphmill
