#include "runtime/forms/busy_cursor.h"

#include <QApplication>

namespace glyphmill {

BusyCursor::BusyCursor() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

BusyCursor::~BusyCursor() {
    QApplication::restoreOverrideCursor();
}

} // namespace glyphmill
