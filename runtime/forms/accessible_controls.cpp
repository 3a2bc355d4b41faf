#include "accessible_controls.h"

#include "frame.h"
#include "option_button.h"
#include "option_button_accessible.h"
#include "picture_box.h"
#include "text_box.h"
#include "text_box_accessible.h"

#include <QAccessibleWidget>

namespace glyphmill {
namespace {

bool isClass(const QString &className, const QMetaObject &metaObject) {
    return className == QLatin1String(metaObject.className());
}

// Qt asks for each class name of an object, the most derived first.
QAccessibleInterface *controlInterface(const QString &className, QObject *object) {
    if (isClass(className, OptionButton::staticMetaObject))
        return new OptionButtonAccessible(static_cast<OptionButton *>(object));
    if (isClass(className, TextBox::staticMetaObject))
        return new TextBoxAccessible(static_cast<QPlainTextEdit *>(object));
    if (isClass(className, Frame::staticMetaObject) ||
        isClass(className, PictureBox::staticMetaObject))
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Grouping);
    return nullptr;
}

} // namespace

void AccessibleControls::install() {
    static const bool installed = [] {
        QAccessible::installFactory(controlInterface);
        return true;
    }();
    (void)installed;
}

} // namespace glyphmill
