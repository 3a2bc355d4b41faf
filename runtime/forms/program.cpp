#include "runtime/forms/program.h"

#include "glyphmill_version.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

namespace glyphmill {
namespace {
QPointer<QWidget> &mainWindowPointer() {
    static QPointer<QWidget> window;
    return window;
}
} // namespace

void Program::configure(QApplication &app) {
    QApplication::setApplicationName(QStringLiteral("Glyphmill"));
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

QWidget *Program::mainWindow() {
    return mainWindowPointer().data();
}

void Program::setMainWindow(QWidget *window) {
    mainWindowPointer() = window;
}

} // namespace glyphmill
