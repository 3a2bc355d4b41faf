#include "runtime/forms/app.h"

#include <QCoreApplication>

namespace glyphmill {

QString App::Path() {
    return QCoreApplication::applicationDirPath();
}

} // namespace glyphmill
