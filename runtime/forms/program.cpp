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
    // The 32-pixel icon where it fits, the larger drawings where the window
    // system asks for more pixels (a large task bar, a scale of 1.5 or 2).
    QIcon icon(QStringLiteral(":/glyphmill/glyphmill.xpm"));
    for (const int size : {48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/glyphmill/glyphmill-%1.png").arg(size), QSize(size, size));
    return icon;
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
