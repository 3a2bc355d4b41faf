#include "runtime/single_line_text_box.h"

namespace glyphmill {

SingleLineTextBox::SingleLineTextBox(QWidget *parent)
    : QLineEdit(parent)
{
}

void SingleLineTextBox::SetText(const QString &text)
{
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    setText(nul < 0 ? text : text.left(nul));
}

} // namespace glyphmill
