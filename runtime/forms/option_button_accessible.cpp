#include "runtime/forms/option_button_accessible.h"

#include "runtime/forms/option_button.h"

namespace glyphmill {
namespace {

// The caption as shown: "&&" is "&", and a lone "&" underlines the next letter.
QString withoutMnemonic(const QString &caption) {
    QString shown;
    shown.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && i + 1 < caption.size())
            ++i;
        shown += caption[i];
    }
    return shown;
}

} // namespace

OptionButtonAccessible::OptionButtonAccessible(OptionButton *button)
    : QAccessibleWidget(button, QAccessible::RadioButton) {}

OptionButton *OptionButtonAccessible::button() const {
    return static_cast<OptionButton *>(widget());
}

QString OptionButtonAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Name && button()->accessibleName().isEmpty())
        return withoutMnemonic(button()->text());
    return QAccessibleWidget::text(t);
}

QAccessible::State OptionButtonAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.checkable = true;
    state.checked = button()->isChecked();
    state.pressed = button()->isDown();
    return state;
}

QStringList OptionButtonAccessible::actionNames() const {
    QStringList names;
    if (button()->isEnabled())
        names << toggleAction();
    return names + QAccessibleWidget::actionNames();
}

void OptionButtonAccessible::doAction(const QString &actionName) {
    // Selecting through assistive technology is a click: it selects, and
    // never clears a selected button.
    if (actionName == toggleAction() || actionName == pressAction()) {
        if (button()->isEnabled())
            button()->click();
        return;
    }
    QAccessibleWidget::doAction(actionName);
}

} // namespace glyphmill
