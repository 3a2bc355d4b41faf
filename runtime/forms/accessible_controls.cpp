#include "runtime/forms/accessible_controls.h"

#include "runtime/forms/frame.h"
#include "runtime/forms/option_button.h"
#include "runtime/forms/option_button_accessible.h"
#include "runtime/forms/picture_box.h"
#include "runtime/forms/text_box.h"
#include "runtime/forms/text_box_accessible.h"
#include "runtime/forms/text_cuts.h"

#include <QAccessibleWidget>

#include <memory>

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

QAccessible::UpdateHandler s_nextHandler = nullptr;

// Qt reports each edit of a multi-line box with the text put in, line
// separators and all, and with a space for each character taken out: a
// huge answer replaced would make one message larger than the
// accessibility bus takes, which cuts the program off it. The reports go on
// with the text read as the box reads it, bounded as its answers are, at
// offsets of the text (the cuts inside lines do not count); what was put in
// is read from the box.
std::unique_ptr<QAccessibleEvent> boundedEdit(QAccessibleEvent *event) {
    constexpr int kLimit = TextBoxAccessible::kMaxEditText;
    const auto *box = qobject_cast<TextBox *>(event->object());
    if (!box)
        return nullptr;
    const QTextDocument &document = *box->document();
    const auto offset = [&](const auto *edit) {
        return TextCuts::of(document).offsetOf(edit->changePosition());
    };
    const auto inserted = [&](const auto *edit) {
        return TextBoxAccessible::readable(document, edit->changePosition(),
                                           static_cast<int>(edit->textInserted().size()), kLimit);
    };
    switch (event->type()) {
    case QAccessible::TextInserted: {
        const auto *edit = static_cast<QAccessibleTextInsertEvent *>(event);
        return std::make_unique<QAccessibleTextInsertEvent>(edit->object(), offset(edit),
                                                            inserted(edit));
    }
    case QAccessible::TextRemoved: {
        const auto *edit = static_cast<QAccessibleTextRemoveEvent *>(event);
        return std::make_unique<QAccessibleTextRemoveEvent>(
            edit->object(), offset(edit), TextBoxAccessible::readable(edit->textRemoved(), kLimit));
    }
    case QAccessible::TextUpdated: {
        const auto *edit = static_cast<QAccessibleTextUpdateEvent *>(event);
        return std::make_unique<QAccessibleTextUpdateEvent>(
            edit->object(), offset(edit), TextBoxAccessible::readable(edit->textRemoved(), kLimit),
            inserted(edit));
    }
    default:
        return nullptr;
    }
}

void sendBounded(QAccessibleEvent *event) {
    const std::unique_ptr<QAccessibleEvent> bounded = boundedEdit(event);
    QAccessibleEvent *sent = bounded ? bounded.get() : event;
    if (s_nextHandler)
        return s_nextHandler(sent);
    // Without a handler Qt hands the event to the platform's bridge.
    QAccessible::installUpdateHandler(nullptr);
    QAccessible::updateAccessibility(sent);
    QAccessible::installUpdateHandler(sendBounded);
}

} // namespace

void AccessibleControls::install() {
    static const bool installed = [] {
        QAccessible::installFactory(controlInterface);
        s_nextHandler = QAccessible::installUpdateHandler(sendBounded);
        return true;
    }();
    (void)installed;
}

} // namespace glyphmill
