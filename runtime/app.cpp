#include "runtime/app.h"

#include <QCoreApplication>

namespace glyphmill {

QString App::s_pathForTests;

QString App::Path() {
    if (!s_pathForTests.isEmpty())
        return s_pathForTests;
    return QCoreApplication::applicationDirPath();
}

void App::setPathForTests(const QString &path) {
    s_pathForTests = path;
}

} // namespace glyphmill
