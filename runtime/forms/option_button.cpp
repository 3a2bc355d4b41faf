#include "runtime/forms/option_button.h"

namespace glyphmill {

OptionButton::OptionButton(const QString &caption, QWidget *parent)
    : QRadioButton(caption, parent) {
    // A narrow gap between the mark and the caption, so that the captions fit
    // the classic compact layout.
    setStyleSheet(QStringLiteral("QRadioButton { spacing: 2px; }"));
}

void OptionButton::SetValue(bool selected) {
    setChecked(selected);
}

void OptionButton::nextCheckState() {
    if (!isChecked())
        setChecked(true);
}

} // namespace glyphmill
