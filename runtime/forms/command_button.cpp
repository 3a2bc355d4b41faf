#include "runtime/forms/command_button.h"

#include "runtime/forms/event_dispatch.h"

namespace glyphmill {

CommandButton::CommandButton(const QString &caption, QWidget *parent)
    : QPushButton(caption, parent) {
    connect(this, &QPushButton::clicked, this, [this] { EventDispatch::run(m_click); });
}

void CommandButton::SetValue(bool pressed) {
    if (pressed && m_click)
        EventDispatch::run(m_click);
}

void CommandButton::setClickHandler(std::function<void()> handler) {
    m_click = std::move(handler);
}

} // namespace glyphmill
