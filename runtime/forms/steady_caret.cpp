#include "runtime/forms/steady_caret.h"

#include <QGuiApplication>
#include <QStyleHints>

#include <utility>

namespace glyphmill {

SteadyCaret::~SteadyCaret() {
    setSteady(false);
}

void SteadyCaret::setSteady(bool steady) {
    QStyleHints *hints = QGuiApplication::styleHints();
    if (steady && m_savedFlashTime < 0) {
        m_savedFlashTime = hints->cursorFlashTime();
        hints->setCursorFlashTime(0);
    } else if (!steady && m_savedFlashTime >= 0) {
        hints->setCursorFlashTime(std::exchange(m_savedFlashTime, -1));
    }
}

} // namespace glyphmill
