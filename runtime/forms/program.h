#pragma once

#include <QFont>
#include <QIcon>

class QApplication;
class QWidget;

namespace glyphmill {

// The program's identity and the look shared by its windows.
class Program {
  public:
    // Name, version and icon of the application.
    static void configure(QApplication &app);
    static QIcon icon();
    // The default font of the windows' controls: a small sans-serif face.
    static QFont defaultFont();
    // The main window, which the other windows open beside; null when it is
    // not loaded.
    static QWidget *mainWindow();
    static void setMainWindow(QWidget *window);
};

} // namespace glyphmill
