#include "runtime/program.h"

#include "glyphmill_version.h"

#include <QApplication>

namespace glyphmill {

void Program::configure(QApplication &app) {
    QApplication::setApplicationName(QStringLiteral("Glyphmill"));
    QApplication::setApplicationDisplayName(QStringLiteral("Glyphmill"));
    QApplication::setApplicationVersion(QString::fromLatin1(kVersionNumber));
    QApplication::setDesktopFileName(QStringLiteral("glyphmill"));
    app.setWindowIcon(icon());
}

QIcon Program::icon() {
    return QIcon(QStringLiteral(":/glyphmill/glyphmill.xpm"));
}

QFont Program::defaultFont() {
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                      QStringLiteral("DejaVu Sans")});
    font.setPointSize(8);
    return font;
}

} // namespace glyphmill
