#include "runtime/forms/form.h"

#include "runtime/forms/event_dispatch.h"

#include <QTimer>

namespace glyphmill {

Form::Form(QString name)
    : m_name(std::move(name)) {}

Form::~Form() {
    delete m_window.data();
}

FormWindow &Form::window() {
    if (!isLoaded())
        load();
    return *m_window;
}

void Form::load() {
    m_window = new FormWindow(m_name);
    m_window->setCloseHandler([this] { closeRequested(); });
    createControls(*m_window);
    Form_Load();
}

void Form::Show() {
    FormWindow &shown = window();
    shown.open();
    shown.raise();
    shown.activateWindow();
}

void Form::Unload() {
    if (!isLoaded())
        return;
    FormWindow *closing = m_window.data();
    m_window = nullptr;
    releaseControls();
    // Its timers stop now; the widgets go once the current event is done,
    // since a handler of this very window may be what unloads it.
    for (QTimer *timer : closing->findChildren<QTimer *>())
        timer->stop();
    closing->hide();
    closing->setObjectName(QString());
    closing->deleteLater();
}

} // namespace glyphmill
